// SPDX-License-Identifier: GPL-3.0-or-later
#include "followupqueue.h"

FollowUpQueue::FollowUpQueue(int delayMilliseconds, QObject *parent)
    : QObject(parent), m_delay(delayMilliseconds)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FollowUpQueue::runDue);
}

void FollowUpQueue::schedule(std::function<void()> call)
{
    m_calls.enqueue({QDeadlineTimer(m_delay, Qt::PreciseTimer), std::move(call)});
    if (m_calls.size() == 1)
        armForFirst();
}

void FollowUpQueue::armForFirst()
{
    if (m_calls.isEmpty())
        return;
    m_timer.start(int(qMax<qint64>(0, m_calls.head().due.remainingTime())));
}

void FollowUpQueue::runDue()
{
    // A call may schedule more; those are due later and wait for the timer.
    while (!m_calls.isEmpty() && m_calls.head().due.hasExpired()) {
        const std::function<void()> call = m_calls.dequeue().call;
        call();
    }
    armForFirst();
}

void FollowUpQueue::clear()
{
    m_calls.clear();
    m_timer.stop();
}
