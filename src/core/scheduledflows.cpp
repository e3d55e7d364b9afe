// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduledflows.h"

#include "control/checkmanager.h"
#include "control/devicecommands.h"
#include "control/flowcaller.h"
#include "store/database.h"
#include "store/recordkeys.h"

namespace {
QString motionWord(ScheduleAction::Motion motion)
{
    switch (motion) {
    case ScheduleAction::Motion::Open:
        return QStringLiteral("1");
    case ScheduleAction::Motion::Close:
        return QStringLiteral("0");
    case ScheduleAction::Motion::Stop:
        break;
    }
    return QStringLiteral("2");
}
} // namespace

std::optional<ScheduledFlows::NotStarted>
ScheduledFlows::start(const ScheduleAction &action, std::shared_ptr<FlowCaller> caller) const
{
    if (action.targetsScenario())
        return runScenario(action.target, std::move(caller));
    const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(action.target);
    if (!device)
        return NotStarted{true, QStringLiteral("no channel %1").arg(action.target)};
    switch (action.kind) {
    case ScheduleAction::Kind::Switch:
        DeviceCommands(m_home).switchLight(*device, action.on, std::move(caller));
        break;
    case ScheduleAction::Kind::Dim:
        DeviceCommands(m_home).dimLight(*device, action.level, std::move(caller));
        break;
    case ScheduleAction::Kind::Curtain:
        DeviceCommands(m_home).moveCurtain(*device, motionWord(action.motion), std::move(caller));
        break;
    case ScheduleAction::Kind::RunScenario:
        break;
    }
    return std::nullopt;
}

std::optional<ScheduledFlows::NotStarted>
ScheduledFlows::runScenario(const QString &number, std::shared_ptr<FlowCaller> caller) const
{
    std::optional<QList<QVariantMap>> read = m_home.store.scenariosIfReadable();
    if (!read)
        return NotStarted{false, QStringLiteral("the store could not be read")};
    QList<QVariantMap> &scenarios = *read;
    for (QVariantMap &scenario : scenarios) {
        if (scenario.value(Key::mainID).toString() != number)
            continue;
        // A record that runs nothing would never be answered.
        if (CheckManager::runCommandFor(scenario).isEmpty())
            return NotStarted{true, QStringLiteral("scenario %1 runs nothing").arg(number)};
        CheckManager(m_home).changeScenarioWithDictionary(scenario, scenarios, std::move(caller));
        return std::nullopt;
    }
    return NotStarted{true, QStringLiteral("no scenario %1").arg(number)};
}
