// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <optional>

class Database;

// Notices that another program (ardentia-ctl, the app) committed a change to
// the home's store. SQLite's data version tells it from shared memory without
// reading a table, so a check every second costs next to nothing; a
// file watcher would see the write-ahead log change with the bridge's own
// writes too, and not always see another's.
class StoreChangeWatch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StoreChangeWatch)

public:
    explicit StoreChangeWatch(Database *store, QObject *parent = nullptr);

    // Checks every `seconds` from now on.
    void start(int seconds);
    // True (and changedElsewhere) when another connection committed since the last check.
    bool check();

Q_SIGNALS:
    void changedElsewhere();

private:
    std::optional<qint64> dataVersion() const;

    Database *m_store;
    std::optional<qint64> m_seen;
    QTimer m_timer;
};
