// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <chrono>

class UDPSocketManager;

// Asks the home for the state of the channels a screen shows, in the order
// they are shown, each at most once in 30 seconds and only while the app is
// in front, so that what a person sees is what the home says. The queries
// go in the channel's background lane: they never hold up a press.
class StateRefresh final : public OwnedInstance<StateRefresh> {
public:
    static constexpr std::chrono::seconds kSpacing{30};

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    // The queries go on the given channel.
    explicit StateRefresh(UDPSocketManager &channel) : m_channel(channel) {}

    // Lights and curtains among the records; others are passed over.
    void channelsShown(const QList<QVariantMap> &records);
    // Minimised, nothing is asked and the queries that waited are dropped.
    void setActive(bool active);

private:
    UDPSocketManager &m_channel;
    QHash<QString, std::chrono::steady_clock::time_point> m_asked;
    bool m_active = true;
};
