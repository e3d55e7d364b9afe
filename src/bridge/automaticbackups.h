// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/backupfolder.h"
#include "backup/backupwriter.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTime>
#include <QTimer>

#include <functional>

class HomeEvents;

// The bridge's own backups of the home, into the home's backups folder: one
// every day at a set time, and one before a synchronise that would remove
// channels the store holds. Only the newest few automatic ones are kept. A
// backup that fails is logged; nothing else stops for it.
class AutomaticBackups final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AutomaticBackups)

public:
    struct Settings {
        QTime dailyAt = QTime(3, 30);
        int keep = 7;
    };
    using Clock = std::function<QDateTime()>;
    using ChannelIds = std::function<QStringList()>;

    // `storedChannelIds` gives the channels the store holds now.
    AutomaticBackups(
        BackupSources sources, Settings settings, ChannelIds storedChannelIds,
        Clock clock = [] { return QDateTime::currentDateTime(); }, QObject *parent = nullptr);

    // Arms the timer for the next daily backup.
    void start();
    // Backs the home up before an import that drops some of its channels.
    void follow(HomeEvents *events);

    // When the next daily backup is due (local time of the clock).
    QDateTime nextDailyBackup() const { return m_next; }
    int msecsToNextDailyBackup() const { return m_timer.remainingTime(); }
    // What the timer does: the daily backup, then the timer armed again.
    void backUpDaily();
    void onHomeAboutToBeReplaced(const QStringList &incomingChannelIds);

Q_SIGNALS:
    // A backup was written (its file) or failed (the reason, also logged).
    void backedUp(const QString &file);
    void failed(const QString &reason);

private:
    // The first daily time strictly after `moment`.
    QDateTime dailyTimeAfter(const QDateTime &moment) const;
    void arm(const QDateTime &next);
    void backUp(BackupFolder::Reason reason);

    BackupSources m_sources;
    Settings m_settings;
    ChannelIds m_storedChannelIds;
    Clock m_clock;
    BackupFolder m_folder;
    QTimer m_timer;
    QDateTime m_next;
};
