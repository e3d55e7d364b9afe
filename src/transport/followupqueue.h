// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QQueue>
#include <QTimer>

#include <functional>

// Calls that run a fixed delay after they were scheduled, in the order they
// were scheduled. The follow-ups of replies (next step of an operation list,
// control counters, the send queue) all take 0.11 s, so one timer serves them
// all, however many replies arrive in a burst.
class FollowUpQueue final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FollowUpQueue)

public:
    explicit FollowUpQueue(int delayMilliseconds, QObject *parent = nullptr);

    void schedule(std::function<void()> call);
    int pendingCount() const { return int(m_calls.size()); }
    // Calls scheduled from now on wait this long.
    void setDelay(int milliseconds) { m_delay = milliseconds; }
    // Drops every call not yet run.
    void clear();

private:
    struct Pending {
        QDeadlineTimer due;
        std::function<void()> call;
    };

    void runDue();
    void armForFirst();

    int m_delay;
    QQueue<Pending> m_calls;
    QTimer m_timer;
};
