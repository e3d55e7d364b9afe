// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QString>

// How far each schedule has been dealt with, kept in a small file of the data
// folder so that a restart never runs a schedule twice: every run of it due
// up to `through` has run or was skipped. The schedule as it was then is kept
// beside it: a schedule changed since (by its owner, or while the bridge was
// away) starts afresh. A run that failed and waits to be tried again keeps
// when (`retryAt`), so that a restart still tries it.
class ScheduleRunRecords {
public:
    struct Record {
        QDateTime through;
        QJsonObject schedule;
        QDateTime retryAt; // invalid when no retry waits
        bool operator==(const Record &) const = default;
    };
    using Records = QHash<int, Record>; // by schedule ID

    explicit ScheduleRunRecords(QString path) : m_path(std::move(path)) {}

    // Nothing for a file that is missing; what can be read of a damaged one.
    Records load() const;
    // Replaces the file in one step; false (and a log line) when it cannot.
    bool save(const Records &records) const;

private:
    QString m_path;
};
