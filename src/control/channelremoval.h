// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;
class HomeEvents;

// A channel leaving the home: it leaves every stored scenario that holds it
// (a scenario left with no member goes too), then its record goes.
class ChannelRemoval {
public:
    ChannelRemoval(Database &store, HomeEvents &events) : m_store(store), m_events(events) {}

    void removeFromStore(const QString &channelId) const;

private:
    Database &m_store;
    HomeEvents &m_events;
};
