// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class Database;

// A read of the store that failed is never taken for an empty home: its
// reader reports the failure here and keeps what it last showed; the store
// is then tried again every few seconds until it can be read, and
// recovered() tells the reader to read it afresh.
class StoreRetry final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StoreRetry)

public:
    static constexpr int kRetryMilliseconds = 5000;

    explicit StoreRetry(Database &store, QObject *parent = nullptr);

    // Logs the failure (once while the store stays unreadable) and starts
    // trying again.
    void readFailed(const QString &what);
    bool isWaiting() const { return m_timer.isActive(); }
    void setRetryMilliseconds(int milliseconds) { m_timer.setInterval(milliseconds); }

Q_SIGNALS:
    void recovered();

private:
    void retry();

    Database &m_store;
    QTimer m_timer;
};
