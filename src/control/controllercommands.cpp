// SPDX-License-Identifier: GPL-3.0-or-later
#include "controllercommands.h"

#include "store/recordkeys.h"
#include "transport/wirevocabulary.h"

namespace {
QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

QString ControllerCommands::familyOf(const QVariantMap &device)
{
    return device.value(Key::type).toString() == Value::curtain ? Wire::curtain : Wire::light;
}

QStringList ControllerCommands::command(const QString &verb, const QString &family,
                                        const QString &id, int operation, const QString &p1,
                                        const QString &p2)
{
    return {verb, family, id, Wire::operationField(operation), p1, p2, QStringLiteral("0")};
}

QStringList ControllerCommands::configure(const QVariantMap &device, int operation,
                                          const QString &p1, const QString &p2)
{
    return command(Wire::configure, familyOf(device), device.value(Key::id).toString(), operation,
                   p1, p2);
}

QStringList ControllerCommands::switchLight(const QVariantMap &device, bool on)
{
    return configure(device, ChannelOperation::Control, bit(on));
}

QStringList ControllerCommands::dimLight(const QVariantMap &device, int level)
{
    const int bounded = qBound(0, level, 100);
    return configure(device, ChannelOperation::Control, bit(bounded != 0),
                     QString::number(bounded));
}

QStringList ControllerCommands::moveCurtain(const QVariantMap &device, const QString &motion)
{
    return configure(device, ChannelOperation::Control, motion);
}

QStringList ControllerCommands::add(const QVariantMap &device)
{
    return configure(device, ChannelOperation::Add);
}

QStringList ControllerCommands::remove(const QVariantMap &device)
{
    return configure(device, ChannelOperation::Remove);
}

QStringList ControllerCommands::forceRemove(const QVariantMap &device)
{
    return configure(device, ChannelOperation::ForceRemove);
}

QStringList ControllerCommands::name(const QVariantMap &device, const QString &name)
{
    return configure(device, ChannelOperation::Name, name);
}

QStringList ControllerCommands::joinScenario(const QVariantMap &device, const QString &number)
{
    return configure(device, ChannelOperation::JoinScenario, number);
}

QStringList ControllerCommands::leaveScenario(const QVariantMap &device, const QString &number)
{
    return configure(device, ChannelOperation::LeaveScenario, number);
}

QStringList ControllerCommands::stateQuery(const QVariantMap &device)
{
    return command(Wire::request, familyOf(device), device.value(Key::id).toString(),
                   ChannelOperation::StateQuery);
}

QStringList ControllerCommands::switchAllLights(bool on)
{
    return command(Wire::configure, Wire::light, kAllLightsId,
                   on ? ChannelOperation::AllOn : ChannelOperation::AllOff);
}
