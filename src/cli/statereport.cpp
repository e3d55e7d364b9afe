// SPDX-License-Identifier: GPL-3.0-or-later
#include "statereport.h"

#include "base/printabletext.h"
#include "control/livehome.h"
#include "store/channel.h"

#include <QJsonObject>

StateReport::StateReport(const QList<QVariantMap> &channels, const LiveHome &live)
    : m_live(live), m_askedAt(QDateTime::currentDateTimeUtc())
{
    for (const QVariantMap &record : channels) {
        const Channel channel = Channel::fromRecord(record);
        m_asked.append({channel.id, channel.title, channel.state, std::nullopt});
    }
}

std::optional<QString> StateReport::reportedBy(const QString &id) const
{
    const std::optional<LiveHome::Channel> channel = m_live.channel(id);
    if (!channel || !channel->isConfirmed() || channel->confirmedAt < m_askedAt ||
        channel->answering != LiveHome::Answering::Answering)
        return std::nullopt;
    return channel->state;
}

QList<StateReport::Line> StateReport::lines() const
{
    QList<Line> lines = m_asked;
    for (Line &line : lines)
        line.reported = reportedBy(line.id);
    return lines;
}

bool StateReport::allAnswered() const
{
    return std::all_of(m_asked.cbegin(), m_asked.cend(),
                       [this](const Line &line) { return reportedBy(line.id).has_value(); });
}

QStringList StateReport::text() const
{
    QStringList text;
    for (const Line &line : lines()) {
        QString outcome = QStringLiteral("no answer (stored %1)").arg(line.stored);
        if (line.reported)
            outcome =
                *line.reported == line.stored
                    ? QStringLiteral("reported %1, as stored").arg(*line.reported)
                    : QStringLiteral("reported %1 (stored %2)").arg(*line.reported, line.stored);
        text << QStringLiteral("%1  %2  %3").arg(line.id, printableText(line.title), outcome);
    }
    return text;
}

QJsonArray StateReport::json() const
{
    QJsonArray channels;
    for (const Line &line : lines()) {
        QJsonObject channel{{"id", line.id}, {"title", line.title}, {"stored", line.stored}};
        channel.insert("answered", line.reported.has_value());
        if (line.reported) {
            channel.insert("reported", *line.reported);
            channel.insert("differs", *line.reported != line.stored);
        }
        channels.append(channel);
    }
    return channels;
}
