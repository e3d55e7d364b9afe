// SPDX-License-Identifier: GPL-3.0-or-later
#include "curtainmoves.h"

#include "store/recordkeys.h"
#include "transport/wirevocabulary.h"

void CurtainMoves::acknowledge(const QStringList &fields)
{
    if (Wire::familyOf(fields) != Wire::curtain ||
        Wire::operationOf(fields) != ChannelOperation::Control)
        return;
    // "1" opens, "0" closes, "2" stops.
    const QString motion = Wire::firstParameterOf(fields);
    if (motion == QLatin1String("1"))
        m_states.insert(Wire::targetOf(fields), Value::yes);
    else if (motion == QLatin1String("0"))
        m_states.insert(Wire::targetOf(fields), Value::no);
}

QVariantMap CurtainMoves::applied(QVariantMap device) const
{
    const auto moved = m_states.constFind(device.value(Key::id).toString());
    if (moved != m_states.cend())
        device.insert(Key::turnOn, *moved);
    return device;
}
