// SPDX-License-Identifier: GPL-3.0-or-later
#include "lightstatetext.h"

#include "control/homeevents.h"
#include "store/recordkeys.h"

QString LightStateText::of(const QVariantMap &record)
{
    if (record.value(Key::type).toString() != Value::lighting)
        return {};
    if (HomeEvents::instance()->isStateUnknown(record.value(Key::id).toString()))
        return tr("Unknown"); // its query went unanswered: the stored state may be old
    const QString turnOn = record.value(Key::turnOn).toString();
    if (turnOn == Value::yes)
        return tr("ON");
    if (turnOn == Value::no)
        return tr("OFF");
    return level(int(turnOn.toDouble())); // text that is no number counts as 0
}

QString LightStateText::level(int percent)
{
    return QStringLiteral("%1%").arg(percent);
}

QString LightStateText::spoken(const QVariantMap &record)
{
    const QString title = record.value(Key::title).toString();
    const QString state = of(record);
    return state.isEmpty() ? title : QStringLiteral("%1: %2").arg(title, state);
}
