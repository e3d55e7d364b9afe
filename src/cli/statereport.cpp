// SPDX-License-Identifier: GPL-3.0-or-later
#include "statereport.h"

#include "base/printabletext.h"
#include "control/homeevents.h"
#include "store/channel.h"

#include <QJsonObject>

StateReport::StateReport(const QList<QVariantMap> &channels)
{
    for (const QVariantMap &record : channels) {
        const Channel channel = Channel::fromRecord(record);
        m_lines.append({channel.id, channel.title, channel.state, std::nullopt});
    }
    HomeEvents *events = HomeEvents::instance();
    connect(events, &HomeEvents::channelStateReported, this,
            [this](const QString &id, const QString &turnOn) {
                if (Line *line = lineOf(id))
                    line->reported = turnOn;
            });
    connect(events, &HomeEvents::channelStateUnknown, this, [this](const QString &id) {
        if (Line *line = lineOf(id))
            line->reported.reset();
    });
}

StateReport::Line *StateReport::lineOf(const QString &id)
{
    for (Line &line : m_lines)
        if (line.id == id)
            return &line;
    return nullptr;
}

bool StateReport::allAnswered() const
{
    return std::all_of(m_lines.cbegin(), m_lines.cend(),
                       [](const Line &line) { return line.reported.has_value(); });
}

QStringList StateReport::text() const
{
    QStringList text;
    for (const Line &line : m_lines) {
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
    for (const Line &line : m_lines) {
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
