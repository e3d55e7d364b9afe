// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicecommands.h"

#include "controllercommands.h"
#include "flowcaller.h"
#include "store/recordkeys.h"
#include "udpsocketmanager.h"

QString DeviceCommands::familyOf(const QVariantMap &device)
{
    return ControllerCommands::familyOf(device);
}

void DeviceCommands::sendWithOperations(const QStringList &command, QList<QVariantMap> operations,
                                        std::shared_ptr<FlowCaller> caller) const
{
    m_channel.sendMessageWithCommandArray(
        command, std::nullopt, FlowCaller::carried(std::move(operations), std::move(caller)));
}

void DeviceCommands::switchLight(const QVariantMap &device, bool on,
                                 std::shared_ptr<FlowCaller> caller) const
{
    QVariantMap wanted = device;
    wanted.insert(Key::turnOn, on ? Value::yes : Value::no);
    sendWithOperations(ControllerCommands::switchLight(device, on), {wanted}, std::move(caller));
}

void DeviceCommands::dimLight(const QVariantMap &device, int level,
                              std::shared_ptr<FlowCaller> caller) const
{
    QVariantMap wanted = device;
    wanted.insert(Key::turnOn, QString::number(qBound(0, level, 100)));
    sendWithOperations(ControllerCommands::dimLight(device, level), {wanted}, std::move(caller));
}

void DeviceCommands::moveCurtain(const QVariantMap &device, const QString &motion,
                                 std::shared_ptr<FlowCaller> caller) const
{
    sendWithOperations(ControllerCommands::moveCurtain(device, motion), {device},
                       std::move(caller));
}

void DeviceCommands::removeDevice(const QVariantMap &device,
                                  std::shared_ptr<FlowCaller> caller) const
{
    sendWithOperations(ControllerCommands::remove(device), {device}, std::move(caller));
}

void DeviceCommands::renameDevice(QVariantMap &device, const QString &name,
                                  std::shared_ptr<FlowCaller> caller) const
{
    device.insert(Key::title, name);
    sendWithOperations(ControllerCommands::name(device, name), {{{Key::insertDevice, device}}},
                       std::move(caller));
}

void DeviceCommands::queryState(const QVariantMap &device, std::shared_ptr<FlowCaller> caller) const
{
    const QStringList request = ControllerCommands::stateQuery(device);
    sendWithOperations(request, {{{Key::sendArray, request}}}, std::move(caller));
}
