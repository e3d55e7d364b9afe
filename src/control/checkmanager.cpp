// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkmanager.h"

#include "appdelegate.h"
#include "controllercommands.h"
#include "flowcaller.h"
#include "navigator.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/scenariocommands.h"
#include "udpsocketmanager.h"

QStringList CheckManager::runCommandFor(const QVariantMap &scenario)
{
    const QString function = scenario.value(Key::function).toString();
    if (function == Value::allOnFunction || function == Value::allOffFunction)
        return ControllerCommands::switchAllLights(function == Value::allOnFunction);
    if (function == Value::customFunction)
        return ScenarioCommands::run(scenario.value(Key::mainID).toString());
    return {};
}

void CheckManager::changeScenarioWithDictionary(QVariantMap &scenario,
                                                QList<QVariantMap> &needArray,
                                                std::shared_ptr<FlowCaller> caller) const
{
    Database *store = &m_home.store;
    for (QVariantMap &other : needArray) {
        if (other.value(Key::state).toString() != Value::yes)
            continue;
        other.insert(Key::state, Value::no);
        store->updateScenarioWithMainID(other.value(Key::id).toString(), other);
    }
    scenario.insert(Key::state, Value::yes);
    store->updateScenarioWithMainID(scenario.value(Key::id).toString(), scenario);

    const QStringList command = runCommandFor(scenario);
    if (command.isEmpty())
        return;
    // The store takes the states the run sets when the master acknowledges it.
    m_home.channel.sendMessageWithCommandArray(command, std::nullopt,
                                               FlowCaller::carried({scenario}, std::move(caller)));
}

void CheckManager::addScenario(const std::shared_ptr<FlowCaller> &caller) const
{
    if (m_home.store.readAllScenarioInfo().size() >= kMaxScenarioRecords) {
        FlowCaller::orService(caller.get())
            .report(FlowOutcome::invalidInput(tr("Maximum 8 scenarios")));
        return;
    }
    if (!checkIfHaveGotSuperBox() || !checkIfHaveGotDeviceWithControl(std::nullopt))
        return;
    if (Navigator *navigator = m_home.application.navigator())
        navigator->pushDeviceSelection();
}

bool CheckManager::checkIfHaveGotSuperBox() const
{
    if (!m_home.store.readAllSuperBoxInfo().isEmpty())
        return true;
    const Navigator *navigator = m_home.application.navigator();
    if (!navigator || !navigator->showsTransmitterEnrolment())
        setUpScanControllerWithType(Value::superBox);
    return false;
}

bool CheckManager::checkIfHaveGotDeviceWithControl(const std::optional<QString> &type) const
{
    std::optional<QVariantMap> filter;
    if (type)
        filter = QVariantMap{{Key::type, *type}};
    if (!m_home.store.readAllMainDeviceInfo(filter).isEmpty())
        return true;
    setUpScanControllerWithType(type);
    return false;
}

void CheckManager::setUpScanControllerWithType(const std::optional<QString> &scanType) const
{
    if (Navigator *navigator = m_home.application.navigator())
        navigator->showScanner(scanType);
}

void CheckManager::turnBackLed() const
{
    TorchControl *torch = m_home.application.torch();
    if (torch && torch->hasTorch())
        torch->setTorchOn(!torch->isTorchOn());
}
