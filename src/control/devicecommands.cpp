// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicecommands.h"

#include "controllercommands.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "udpsocketmanager.h"

QString DeviceCommands::familyOf(const QVariantMap &device)
{
    return ControllerCommands::familyOf(device);
}

void DeviceCommands::sendWithOperations(const QStringList &command, QList<QVariantMap> operations)
{
    UDPSocketManager::instance()->sendMessageWithCommandArray(
        command, std::nullopt, shareOperations(std::move(operations)));
}

void DeviceCommands::switchLight(const QVariantMap &device, bool on)
{
    QVariantMap wanted = device;
    wanted.insert(Key::turnOn, on ? Value::yes : Value::no);
    sendWithOperations(ControllerCommands::switchLight(device, on), {wanted});
}

void DeviceCommands::dimLight(const QVariantMap &device, int level)
{
    QVariantMap wanted = device;
    wanted.insert(Key::turnOn, QString::number(qBound(0, level, 100)));
    sendWithOperations(ControllerCommands::dimLight(device, level), {wanted});
}

void DeviceCommands::moveCurtain(const QVariantMap &device, const QString &motion)
{
    sendWithOperations(ControllerCommands::moveCurtain(device, motion), {device});
}

void DeviceCommands::removeDevice(const QVariantMap &device)
{
    sendWithOperations(ControllerCommands::remove(device), {device});
}

void DeviceCommands::renameDevice(QVariantMap &device, const QString &name)
{
    device.insert(Key::title, name);
    sendWithOperations(ControllerCommands::name(device, name), {{{Key::insertDevice, device}}});
}

void DeviceCommands::queryState(const QVariantMap &device)
{
    const QStringList request = ControllerCommands::stateQuery(device);
    sendWithOperations(request, {{{Key::sendArray, request}}});
}
