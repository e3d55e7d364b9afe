// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// The home as it last confirmed itself: per channel the state it confirmed
// (the stored-state word: on/off, a level, a curtain's position or its last
// acknowledged move), when, and whether the home answers for it; for the
// master whether it answers at all. Only replies, silences and the import
// change it; every front end reads it instead of keeping its own patch.
// ProgramObjects makes the program's own, which instance() reaches.
class LiveHome final : public QObject, public OwnedInstance<LiveHome> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveHome)

public:
    enum class Answering { NotYetKnown, Answering, NotAnswering };
    Q_ENUM(Answering)

    struct Channel {
        QString state; // empty until the home confirmed one
        QDateTime confirmedAt;
        Answering answering = Answering::NotYetKnown;

        bool isConfirmed() const { return confirmedAt.isValid(); }
    };

    explicit LiveHome(QObject *parent = nullptr) : QObject(parent) {}

    std::optional<Channel> channel(const QString &id) const;
    Answering master() const { return m_master; }
    // Shown as available: the master and the channel answer and its state is confirmed.
    bool isAvailable(const QString &id) const;
    bool isMasterAnswering() const { return m_master == Answering::Answering; }
    // A stored channel's record with the state the home confirmed last in
    // place of the stored one; as it was stored while nothing is confirmed.
    QVariantMap withConfirmedState(QVariantMap device) const;
    QList<QVariantMap> withConfirmedStates(QList<QVariantMap> devices) const;

    // The home confirmed this state for the channel (an acknowledgement or a state answer).
    void confirmState(const QString &id, const QString &state);
    // The home answered for the channel without a state (a refusal, a stop).
    void channelAnswered(const QString &id);
    // The channel's state query went unanswered, or the home could not tell.
    void channelSilent(const QString &id);
    void masterAnswered();
    void masterSilent();
    // The import's channels: those known before keep what the home confirmed,
    // new ones are not yet known, the others are gone.
    void replaceChannels(const QStringList &ids);
    void removeChannel(const QString &id);

Q_SIGNALS:
    void channelChanged(const QString &id);
    void masterChanged(LiveHome::Answering answering);

private:
    void setChannelAnswering(const QString &id, Answering answering);

    QHash<QString, Channel> m_channels;
    Answering m_master = Answering::NotYetKnown;
};
