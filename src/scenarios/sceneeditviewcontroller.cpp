// SPDX-License-Identifier: GPL-3.0-or-later
#include "sceneeditviewcontroller.h"

#include "control/scenariooperations.h"
#include "core/showalertmanager.h"
#include "frame/navigationstack.h"
#include "sceneeditnameviewcontroller.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

SceneEditViewController::SceneEditViewController(const HomeServices &home,
                                                 const QVariantMap &editDictionary, QWidget *parent)
    : ChooseControlViewController(home, parent), m_editDictionary(editDictionary)
{
    for (const QVariant &member : RecordFactory::sceneDevices(editDictionary)) {
        const QVariantMap device = member.toMap();
        for (int row = 0; row < customArray().size(); ++row) {
            if (customArray().at(row).value(Key::id) != device.value(Key::id))
                continue;
            records()[row].insert(Key::turnOn, device.value(Key::turnOn));
            selectRow(row);
            break;
        }
    }
    reloadTable();
    refreshBottomBar();
}

QList<QVariantMap> SceneEditViewController::getEditScenarioArray()
{
    return ScenarioOperations::editQueue(m_editDictionary, selectedDevices());
}

void SceneEditViewController::nextButtonPress()
{
    // An edit that unticks everything would empty the scenario: say so and stay.
    if (selectedEntries().isEmpty()) {
        ShowAlertManager::instance()->showLabelWithTitle(tr("Please select device"));
        return;
    }
    auto *naming =
        new SceneEditNameViewController(home(), m_editDictionary.value(Key::title).toString(),
                                        m_editDictionary.value(Key::imagePath).toString(),
                                        getEditScenarioArray(), m_editDictionary);
    if (auto *stack = NavigationStack::of(this))
        stack->push(naming, true);
}
