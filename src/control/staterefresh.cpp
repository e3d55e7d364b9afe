// SPDX-License-Identifier: GPL-3.0-or-later
#include "staterefresh.h"

#include "store/recordkeys.h"
#include "udpsocketmanager.h"

void StateRefresh::channelsShown(const QList<QVariantMap> &records)
{
    if (!m_active)
        return;
    const auto now = std::chrono::steady_clock::now();
    UDPSocketManager *channel = &m_channel;
    for (const QVariantMap &record : records) {
        const QString type = record.value(Key::type).toString();
        if (type != Value::lighting && type != Value::curtain)
            continue;
        const QString id = record.value(Key::id).toString();
        const auto asked = m_asked.constFind(id);
        if (asked != m_asked.cend() && now - *asked < kSpacing)
            continue;
        m_asked.insert(id, now);
        channel->queryStateInBackground(record);
    }
}

void StateRefresh::setActive(bool active)
{
    m_active = active;
    if (!active)
        m_channel.clearBackgroundQueue();
}
