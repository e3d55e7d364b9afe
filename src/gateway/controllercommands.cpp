#include "controllercommands.h"

#include "store/recordkeys.h"

QString ControllerCommands::familyOf(const QVariantMap &device)
{
    return device.value(Key::type).toString() == Value::curtain ? QStringLiteral("curtain")
                                                                : QStringLiteral("lig");
}

QStringList ControllerCommands::command(const QString &verb, const QString &family,
                                        const QString &id, const QString &op, const QString &p1,
                                        const QString &p2)
{
    return {verb, family, id, op, p1, p2, QStringLiteral("0")};
}

QStringList ControllerCommands::configure(const QVariantMap &device, const QString &op,
                                          const QString &p1, const QString &p2)
{
    return command(QStringLiteral("cfg"), familyOf(device), device.value(Key::id).toString(), op,
                   p1, p2);
}

QStringList ControllerCommands::switchLight(const QVariantMap &device, bool on)
{
    return configure(device, QStringLiteral("4"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList ControllerCommands::dimLight(const QVariantMap &device, int level)
{
    const int bounded = qBound(0, level, 100);
    return configure(device, QStringLiteral("4"),
                     bounded != 0 ? QStringLiteral("1") : QStringLiteral("0"),
                     QString::number(bounded));
}

QStringList ControllerCommands::moveCurtain(const QVariantMap &device, const QString &motion)
{
    return configure(device, QStringLiteral("4"), motion);
}

QStringList ControllerCommands::add(const QVariantMap &device)
{
    return configure(device, QStringLiteral("11"));
}

QStringList ControllerCommands::remove(const QVariantMap &device)
{
    return configure(device, QStringLiteral("12"));
}

QStringList ControllerCommands::forceRemove(const QVariantMap &device)
{
    return configure(device, QStringLiteral("18"));
}

QStringList ControllerCommands::name(const QVariantMap &device, const QString &name)
{
    return configure(device, QStringLiteral("15"), name);
}

QStringList ControllerCommands::joinScenario(const QVariantMap &device, const QString &number)
{
    return configure(device, QStringLiteral("13"), number);
}

QStringList ControllerCommands::leaveScenario(const QVariantMap &device, const QString &number)
{
    return configure(device, QStringLiteral("14"), number);
}

QStringList ControllerCommands::stateQuery(const QVariantMap &device)
{
    return command(QStringLiteral("req"), familyOf(device), device.value(Key::id).toString(),
                   QStringLiteral("0"));
}

QStringList ControllerCommands::switchAllLights(bool on)
{
    return command(QStringLiteral("cfg"), QStringLiteral("lig"), kAllLightsId,
                   on ? QStringLiteral("5") : QStringLiteral("6"));
}
