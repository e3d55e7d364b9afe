// SPDX-License-Identifier: GPL-3.0-or-later
#include "automaticbackups.h"

#include "base/logging.h"
#include "control/homeevents.h"

#include <QSet>
#include <QTimeZone>

#include <algorithm>

AutomaticBackups::AutomaticBackups(BackupSources sources, Settings settings,
                                   ChannelIds storedChannelIds, Clock clock, QObject *parent)
    : QObject(parent), m_sources(std::move(sources)), m_settings(settings),
      m_storedChannelIds(std::move(storedChannelIds)), m_clock(std::move(clock)),
      m_folder(BackupFolder::ofHome(m_sources.dataFolder))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::VeryCoarseTimer); // to the second is enough for a daily backup
    connect(&m_timer, &QTimer::timeout, this, &AutomaticBackups::backUpDaily);
}

void AutomaticBackups::start()
{
    arm(dailyTimeAfter(m_clock()));
}

void AutomaticBackups::follow(HomeEvents *events)
{
    connect(events, &HomeEvents::homeAboutToBeReplaced, this,
            &AutomaticBackups::onHomeAboutToBeReplaced);
}

void AutomaticBackups::backUpDaily()
{
    backUp(BackupFolder::Reason::Daily);
    // From the time it was due: a timer that fires a little early makes no
    // second backup the same day.
    arm(dailyTimeAfter(std::max(m_clock(), m_next)));
}

void AutomaticBackups::onHomeAboutToBeReplaced(const QStringList &incomingChannelIds)
{
    const QSet<QString> incoming(incomingChannelIds.cbegin(), incomingChannelIds.cend());
    const QStringList stored = m_storedChannelIds();
    const bool removes =
        std::any_of(stored.cbegin(), stored.cend(),
                    [&incoming](const QString &id) { return !incoming.contains(id); });
    if (removes)
        backUp(BackupFolder::Reason::BeforeSync);
}

QDateTime AutomaticBackups::dailyTimeAfter(const QDateTime &moment) const
{
    QDateTime next(moment.date(), m_settings.dailyAt, moment.timeZone());
    // A day whose time a clock change skips waits for the next day's.
    for (int day = 1; !next.isValid() || next <= moment; ++day)
        next = QDateTime(moment.date().addDays(day), m_settings.dailyAt, moment.timeZone());
    return next;
}

void AutomaticBackups::arm(const QDateTime &next)
{
    m_next = next;
    m_timer.start(int(std::clamp<qint64>(m_clock().msecsTo(next), 0, 48LL * 3600 * 1000)));
}

void AutomaticBackups::backUp(BackupFolder::Reason reason)
{
    const std::optional<QString> file = m_folder.newFile(reason, m_clock());
    const std::optional<QString> failure =
        file ? BackupWriter(m_sources).write(*file)
             : std::optional(QStringLiteral("cannot make the folder %1").arg(m_folder.path()));
    if (failure) {
        qCWarning(lcStore).noquote() << "automatic backup failed:" << *failure;
        Q_EMIT failed(*failure);
        return;
    }
    if (!m_folder.pruneAutomatic(m_settings.keep))
        qCWarning(lcStore).noquote() << "could not remove an old backup in" << m_folder.path();
    Q_EMIT backedUp(*file);
}
