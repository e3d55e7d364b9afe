// SPDX-License-Identifier: GPL-3.0-or-later
#include "offloopwork.h"

OffLoopWork::OffLoopWork(QObject *parent) : QObject(parent)
{
    m_thread.setMaxThreadCount(1);
}

OffLoopWork::~OffLoopWork()
{
    m_thread.waitForDone();
}

bool OffLoopWork::start(Work work)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_thread.start([this, work = std::move(work)] {
        Then then = work();
        // Queued to the loop's thread; dropped with this object if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, then = std::move(then)] {
                m_busy = false;
                if (then)
                    then();
            },
            Qt::QueuedConnection);
    });
    return true;
}
