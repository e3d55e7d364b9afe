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
                                                std::shared_ptr<FlowCaller> caller)
{
    Database *store = Database::instance();
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
    UDPSocketManager::instance()->sendMessageWithCommandArray(
        command, std::nullopt, FlowCaller::carried({scenario}, std::move(caller)));
}

void CheckManager::addScenario(const std::shared_ptr<FlowCaller> &caller)
{
    if (Database::instance()->readAllScenarioInfo().size() >= kMaxScenarioRecords) {
        FlowCaller::orService(caller.get())
            .report(FlowOutcome::invalidInput(tr("Maximum 8 scenarios")));
        return;
    }
    if (!checkIfHaveGotSuperBox() || !checkIfHaveGotDeviceWithControl(std::nullopt))
        return;
    if (Navigator *navigator = AppDelegate::instance()->navigator())
        navigator->pushDeviceSelection();
}

bool CheckManager::checkIfHaveGotSuperBox()
{
    if (!Database::instance()->readAllSuperBoxInfo().isEmpty())
        return true;
    const Navigator *navigator = AppDelegate::instance()->navigator();
    if (!navigator || !navigator->showsTransmitterEnrolment())
        setUpScanControllerWithType(Value::superBox);
    return false;
}

bool CheckManager::checkIfHaveGotDeviceWithControl(const std::optional<QString> &type)
{
    std::optional<QVariantMap> filter;
    if (type)
        filter = QVariantMap{{Key::type, *type}};
    if (!Database::instance()->readAllMainDeviceInfo(filter).isEmpty())
        return true;
    setUpScanControllerWithType(type);
    return false;
}

void CheckManager::setUpScanControllerWithType(const std::optional<QString> &scanType)
{
    if (Navigator *navigator = AppDelegate::instance()->navigator())
        navigator->showScanner(scanType);
}

void CheckManager::turnBackLed()
{
    TorchControl *torch = AppDelegate::instance()->torch();
    if (torch && torch->hasTorch())
        torch->setTorchOn(!torch->isTorchOn());
}
