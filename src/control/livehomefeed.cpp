// SPDX-License-Identifier: GPL-3.0-or-later
#include "livehomefeed.h"

#include "homeevents.h"
#include "livehome.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "transport/wirevocabulary.h"
#include "udpsocketmanager.h"

LiveHomeFeed::LiveHomeFeed(LiveHome *home, ChannelIds channelIds, MasterId masterId,
                           QObject *parent)
    : QObject(parent), m_home(home), m_channelIds(std::move(channelIds)),
      m_masterId(std::move(masterId))
{
}

void LiveHomeFeed::follow(UDPSocketManager *channel, HomeEvents *events)
{
    connect(channel, &UDPSocketManager::commandOutcome, this, &LiveHomeFeed::onOutcome);
    connect(events, &HomeEvents::channelStateChanged, this, &LiveHomeFeed::onStateStored);
    connect(events, &HomeEvents::channelStateReported, this,
            [this](const QString &id, const QString &state) { onStateReported(id, state); });
    connect(events, &HomeEvents::channelStateUnknown, m_home, &LiveHome::channelSilent);
    connect(events, &HomeEvents::channelRemoved, m_home, &LiveHome::removeChannel);
    connect(events, &HomeEvents::homeReplaced, this, &LiveHomeFeed::onHomeReplaced);
    connect(events, &HomeEvents::homeChangedElsewhere, this, &LiveHomeFeed::onHomeChangedElsewhere);
}

void LiveHomeFeed::onOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    const QString family = Wire::familyOf(fields);
    const QString target = Wire::targetOf(fields);
    if (!Wire::isChannelFamily(family)) { // the master's own commands: the link check, a locate
        // A slave's locate tells nothing of the master; before there is a
        // master, the transmitter being enrolled becomes it.
        if (const QString master = m_masterId();
            family == Wire::transmitter && !master.isEmpty() && target != master)
            return;
        if (outcome.isAnswer()) {
            m_lastUnanswered.clear();
            m_home->masterAnswered();
        } else if (outcome.kind == CommandOutcome::Kind::NoReply) {
            m_home->masterSilent();
        }
        return;
    }
    if (outcome.kind == CommandOutcome::Kind::NoReply) {
        // One lost reply is that channel's: others may still answer. The
        // master relays every channel's command, so two channels in a row
        // without a word from it between them is the master gone silent,
        // known without waiting for the quiet check behind the queue.
        m_home->channelSilent(target);
        if (!m_lastUnanswered.isEmpty() && m_lastUnanswered != target)
            m_home->masterSilent();
        m_lastUnanswered = target;
        return;
    }
    if (!outcome.isAnswer())
        return;
    m_lastUnanswered.clear();
    const bool curtainMove =
        family == Wire::curtain && Wire::operationOf(fields) == ChannelOperation::Control;
    if (!curtainMove || !outcome.isAcknowledged()) {
        m_home->channelAnswered(target);
        return;
    }
    m_moved.insert(target);
    // "1" opens, "0" closes, "2" stops where it is.
    const QString motion = Wire::firstParameterOf(fields);
    if (motion == QLatin1String("1"))
        m_home->confirmState(target, Value::yes);
    else if (motion == QLatin1String("0"))
        m_home->confirmState(target, Value::no);
    else
        m_home->channelAnswered(target);
}

void LiveHomeFeed::onStateStored(const QString &id, const QString &state)
{
    if (m_moved.remove(id))
        return; // the move's acknowledgement: the stored state is from before the move
    m_home->confirmState(id, state);
}

void LiveHomeFeed::onStateReported(const QString &id, const QString &state)
{
    m_moved.remove(id); // the home's own word on the curtain stands from now on
    m_home->confirmState(id, state);
}

void LiveHomeFeed::onHomeReplaced()
{
    m_moved.clear();
    onHomeChangedElsewhere();
}

void LiveHomeFeed::onHomeChangedElsewhere()
{
    if (const std::optional<QStringList> ids = m_channelIds())
        m_home->replaceChannels(*ids);
}

QString LiveHomeFeed::storedMasterId(Database &store)
{
    const QList<QVariantMap> transmitters = store.readAllSuperBoxInfo();
    return transmitters.isEmpty() ? QString() : transmitters.constFirst().value(Key::id).toString();
}

std::optional<QStringList> LiveHomeFeed::readableChannelIds(Database &store)
{
    const std::optional<Database::Records> devices = store.mainDevicesIfReadable();
    if (!devices)
        return std::nullopt;
    QStringList ids;
    for (const QVariantMap &device : *devices)
        ids.append(device.value(Key::id).toString());
    return ids;
}

QStringList LiveHomeFeed::storedChannelIds(Database &store)
{
    return readableChannelIds(store).value_or(QStringList());
}
