// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenariooperations.h"

#include "controllercommands.h"
#include "flowcaller.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/scenariocommands.h"
#include "udpsocketmanager.h"

namespace {
// A device joining (kept) or leaving scenario number.
QVariantMap membershipEntry(const QVariantMap &device, const QString &number, bool keep)
{
    return {{Key::needCheck, keep ? Value::yes : Value::no},
            {Key::haveSend, Value::no},
            {Key::sendArray, keep ? ControllerCommands::joinScenario(device, number)
                                  : ControllerCommands::leaveScenario(device, number)},
            {Key::insertDevice, device},
            {Key::scenarioControlTypeKey, Value::editDeviceFromScenario}};
}

QVariantMap closingEntry(const QString &number)
{
    return {{Key::mainID, number}, {Key::scenarioControlTypeKey, Value::editDeviceAndNameScenario}};
}
} // namespace

QString ScenarioOperations::nextScenarioNumber(const QStringList &taken) const
{
    QStringList used = taken;
    for (const QVariantMap &scenario : m_store.readAllScenarioInfo())
        used.append(scenario.value(Key::mainID).toString());
    for (int n = 1; n <= 8; ++n)
        if (!used.contains(QString::number(n)))
            return QString::number(n);
    return QStringLiteral("8");
}

QList<QVariantMap> ScenarioOperations::creationQueue(QList<QVariantMap> devices,
                                                     const QString &number)
{
    QList<QVariantMap> queue;
    for (QVariantMap &device : devices) {
        device.insert(Key::move, Value::no);
        queue.append(membershipEntry(device, number, true));
    }
    queue.append(closingEntry(number));
    return queue;
}

QList<QVariantMap> ScenarioOperations::editQueue(const QVariantMap &scenario,
                                                 QList<QVariantMap> devices)
{
    const QString number = scenario.value(Key::mainID).toString();
    const QVariantList members = RecordFactory::sceneDevices(scenario);
    const auto isMember = [&members](const QVariantMap &device, bool sameState) {
        return std::any_of(members.cbegin(), members.cend(), [&](const QVariant &m) {
            const QVariantMap member = m.toMap();
            return member.value(Key::id) == device.value(Key::id) &&
                   (!sameState || member.value(Key::turnOn) == device.value(Key::turnOn));
        });
    };
    QList<QVariantMap> queue;
    for (QVariantMap &device : devices) {
        if (isMember(device, true))
            continue; // unchanged
        device.insert(Key::move, Value::no);
        queue.append(membershipEntry(device, number, true));
    }
    for (const QVariant &m : members) {
        const QVariantMap member = m.toMap();
        const bool chosen =
            std::any_of(devices.cbegin(), devices.cend(), [&](const QVariantMap &d) {
                return d.value(Key::id) == member.value(Key::id);
            });
        if (!chosen)
            queue.append(membershipEntry(member, number, false));
    }
    queue.append(closingEntry(number));
    return queue;
}

QStringList ScenarioOperations::namingCommand(const QString &number, const QString &name)
{
    return ScenarioCommands::name(number, name);
}

QVariantMap ScenarioOperations::newScenarioRecord(const QString &number, const QString &name,
                                                  const QString &imagePath)
{
    return RecordFactory::userScenario(number, name, imagePath, {});
}

bool ScenarioOperations::startNamedQueue(QList<QVariantMap> queue, const QString &name,
                                         const QVariantMap &scenario,
                                         std::shared_ptr<FlowCaller> caller) const
{
    if (queue.isEmpty())
        return false;
    QVariantMap &closing = queue.last();
    closing.insert(Key::sendArray, namingCommand(closing.value(Key::mainID).toString(), name));
    closing.insert(Key::insertScenario, scenario);
    OperationList operations(std::move(queue));
    operations.caller = std::move(caller);
    return m_channel.startOperationList(std::move(operations));
}

bool ScenarioOperations::deleteScenario(const QVariantMap &scenario,
                                        std::shared_ptr<FlowCaller> caller) const
{
    const QString number = scenario.value(Key::mainID).toString();
    QList<QVariantMap> queue;
    for (const QVariant &m : RecordFactory::sceneDevices(scenario))
        queue.append({{Key::needCheck, Value::no},
                      {Key::haveSend, Value::no},
                      {Key::sendArray, ControllerCommands::leaveScenario(m.toMap(), number)},
                      {Key::deleteScenarioID, number},
                      {Key::scenarioControlTypeKey, Value::deleteDeviceFromScenario}});
    OperationList operations(std::move(queue));
    operations.caller = std::move(caller);
    return m_channel.startOperationList(std::move(operations));
}

void ScenarioOperations::renameScenario(QVariantMap scenario, const QString &name,
                                        std::shared_ptr<FlowCaller> caller) const
{
    scenario.insert(Key::title, name);
    const QString number = scenario.value(Key::mainID).toString();
    if (RecordFactory::isUserScenario(scenario)) { // stored when the master acknowledges it
        OperationList naming{{{Key::mainID, number}, {Key::insertScenario, scenario}}};
        m_channel.sendMessageWithCommandArray(
            namingCommand(number, name), std::nullopt,
            FlowCaller::carried(std::move(naming), std::move(caller)));
        return;
    }
    // All On and All Off are the app's own: stored at once, which ends the
    // flow. The master is told the name as well; it keeps no such scenario.
    const bool stored =
        m_store.updateScenarioWithMainID(scenario.value(Key::id).toString(), scenario);
    m_channel.sendMessageWithCommandArray(namingCommand(number, name));
    FlowCaller::orService(caller.get())
        .report(stored ? FlowOutcome::done({}) : FlowOutcome::storeFailure());
}
