// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordfactory.h"

#include "recordkeys.h"

QString RecordFactory::transmitterTitle(bool master, const Words &words)
{
    return (master ? words(QT_TR_NOOP("Master ")) : words(QT_TR_NOOP("Slave "))) +
           words(QT_TR_NOOP("Transmitter"));
}

QVariantMap RecordFactory::transmitter(const QString &id, const QString &address, bool master)
{
    return {{Key::id, id},
            {Key::type, Value::superBox},
            {Key::title, transmitterTitle(master)},
            {Key::imageName, master ? Value::master : Value::slave},
            {Key::address, address},
            {Key::command, Value::no}};
}

QVariantMap RecordFactory::device(const QString &id, const QString &control,
                                  const QString &mainTotalID, const QString &title)
{
    const bool isCurtain = control == Value::curtainControl;
    return {{Key::id, id},
            {Key::type, isCurtain ? Value::curtain : Value::lighting},
            {Key::control, control},
            {Key::mainTotalID, mainTotalID},
            {Key::title, title},
            {Key::turnOn, control == Value::dimming ? QStringLiteral("0") : Value::no},
            {Key::move, Value::no},
            {Key::controlTimes, QStringLiteral("0")}};
}

namespace {
QVariantMap scenario(const QString &mainID, const QString &title, const QString &function,
                     const QString &imagePath, const QVariant &sceneArray)
{
    return {{Key::title, title},          {Key::controlTimes, QStringLiteral("0")},
            {Key::function, function},    {Key::imagePath, imagePath},
            {Key::state, Value::no},      {Key::mainID, mainID},
            {Key::sceneArray, sceneArray}};
}
} // namespace

bool RecordFactory::interfaceIsEnglish()
{
    return tr("All On Mode") == QLatin1String("All On Mode");
}

QVariantMap RecordFactory::allOnScenario()
{
    return scenario(Value::allOnMainID, tr("All On Mode"), Value::allOnFunction, Value::allOnImage,
                    Value::allDevicesOn);
}

QVariantMap RecordFactory::allOffScenario()
{
    return scenario(Value::allOffMainID, tr("All Off Mode"), Value::allOffFunction,
                    Value::allOffImage, Value::allDevicesOff);
}

QVariantMap RecordFactory::userScenario(const QString &mainID, const QString &title,
                                        const QString &imagePath, const QVariantList &devices)
{
    return scenario(mainID, title, Value::customFunction, imagePath, devices);
}

QVariantList RecordFactory::sceneDevices(const QVariantMap &scenario)
{
    return isUserScenario(scenario) ? scenario.value(Key::sceneArray).toList() : QVariantList();
}

bool RecordFactory::isUserScenario(const QVariantMap &scenario)
{
    return scenario.value(Key::sceneArray).typeId() == QMetaType::QVariantList;
}
