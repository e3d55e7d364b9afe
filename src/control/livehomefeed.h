// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/commandoutcome.h"

#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>
#include <optional>

class Database;
class HomeEvents;
class LiveHome;
class UDPSocketManager;

// Brings every reply into the live home: each command's outcome (answers,
// refusals, silences), the states the store took from acknowledgements and
// state answers, and the import's channels. A curtain's acknowledged move
// is where the curtain went: the store keeps its state through a move.
class LiveHomeFeed final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveHomeFeed)

public:
    // Nothing when the store cannot be read: then no channel is known to be gone.
    using ChannelIds = std::function<std::optional<QStringList>()>;
    using MasterId = std::function<QString()>;

    // channelIds gives the stored channels after an import, masterId the
    // transmitter whose answers and silences are the master's.
    LiveHomeFeed(LiveHome *home, ChannelIds channelIds, MasterId masterId,
                 QObject *parent = nullptr);

    void follow(UDPSocketManager *channel, HomeEvents *events);
    // The channels the store holds: the import's, once it has been taken;
    // nothing (readable) or none (stored) when the store cannot be read.
    static std::optional<QStringList> readableChannelIds(Database &store);
    static QStringList storedChannelIds(Database &store);
    // The master the store names: its first transmitter.
    static QString storedMasterId(Database &store);

    void onOutcome(const QStringList &fields, const CommandOutcome &outcome);
    void onStateStored(const QString &id, const QString &state);
    void onStateReported(const QString &id, const QString &state);
    void onHomeReplaced();
    // Another program changed the store: the channels it holds now, those
    // known before with what the home confirmed.
    void onHomeChangedElsewhere();

private:
    LiveHome *m_home;
    ChannelIds m_channelIds;
    MasterId m_masterId;
    // Curtains whose acknowledged move stands over the stored state the
    // acknowledgement announces next.
    QSet<QString> m_moved;
    // The channel whose command went unanswered last, while the master said nothing since.
    QString m_lastUnanswered;
};
