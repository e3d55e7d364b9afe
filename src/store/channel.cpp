// SPDX-License-Identifier: GPL-3.0-or-later
#include "channel.h"

#include "base/textnumber.h"
#include "recordkeys.h"

ChannelKind Channel::kindOf(const QVariantMap &record)
{
    const QString control = record.value(Key::control).toString();
    if (record.value(Key::type).toString() == Value::curtain || control == Value::curtainControl)
        return ChannelKind::Curtain;
    if (control == Value::dimming)
        return ChannelKind::Dimmer;
    if (control == Value::switching)
        return ChannelKind::Switch;
    const QString id = record.value(Key::id).toString();
    const QChar digit = id.size() > 2 ? id.at(2) : QChar();
    return digit == QLatin1Char('2')   ? ChannelKind::Dimmer
           : digit == QLatin1Char('3') ? ChannelKind::Curtain
                                       : ChannelKind::Switch;
}

Channel Channel::fromRecord(const QVariantMap &record)
{
    Channel channel;
    channel.id = record.value(Key::id).toString();
    channel.kind = kindOf(record);
    channel.title = record.value(Key::title).toString();
    channel.state = record.value(Key::turnOn).toString();
    channel.level = channel.isDimmer()            ? TextNumber::integerValue(channel.state)
                    : channel.state == Value::yes ? 100
                                                  : 0;
    channel.useCount = TextNumber::integerValue(record.value(Key::controlTimes).toString());
    channel.controllerId = record.value(Key::mainTotalID).toString();
    return channel;
}
