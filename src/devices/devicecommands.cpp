#include "devicecommands.h"

#include "../gateway/udpsocketmanager.h"
#include "../store/database.h"
#include "../store/recordkeys.h"

QString DeviceCommands::familyOf(const QVariantMap &device)
{
    return device.value(Key::type).toString() == Value::curtain ? QStringLiteral("curtain")
                                                                : QStringLiteral("lig");
}

QStringList DeviceCommands::command(const QVariantMap &device, const QString &op, const QString &p1,
                                    const QString &p2)
{
    return {QStringLiteral("cfg"), familyOf(device), device.value(Key::id).toString(), op, p1, p2,
            QStringLiteral("0")};
}

void DeviceCommands::sendWithOperations(const QStringList &command,
                                        const QList<QVariantMap> &operations)
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    channel->sendMessageWithCommandArray(command);
    channel->setUdpOperationArray(operations);
}

void DeviceCommands::switchLight(QVariantMap &device, bool on)
{
    device.insert(Key::turnOn, on ? Value::yes : Value::no);
    sendWithOperations(
        command(device, QStringLiteral("4"), on ? QStringLiteral("1") : QStringLiteral("0")),
        {device});
}

void DeviceCommands::dimLight(QVariantMap &device, int level)
{
    const int bounded = qBound(0, level, 100);
    device.insert(Key::turnOn, QString::number(bounded));
    sendWithOperations(command(device, QStringLiteral("4"),
                               bounded != 0 ? QStringLiteral("1") : QStringLiteral("0"),
                               QString::number(bounded)),
                       {device});
}

void DeviceCommands::moveCurtain(const QVariantMap &device, const QString &motion)
{
    sendWithOperations(command(device, QStringLiteral("4"), motion), {device});
}

void DeviceCommands::removeDevice(const QVariantMap &device)
{
    sendWithOperations(command(device, QStringLiteral("12")), {device});
}

void DeviceCommands::renameDevice(QVariantMap &device, const QString &name)
{
    device.insert(Key::title, name);
    sendWithOperations(command(device, QStringLiteral("15"), name),
                       {{{Key::insertDevice, device}}});
    Database::instance()->updateMainDeviceWithMainID(device.value(Key::id).toString(), device);
}
