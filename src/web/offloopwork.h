// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>

#include <functional>

// Work that may take long (an uploaded image decoded), run on a thread of
// its own so that the event loop goes on meanwhile: MQTT, pages and the
// home's datagrams wait for none of it. One piece at a time, so that what it
// holds stays bounded; the work gives back what is done with its result on
// the loop, called there once it has ended. The work itself touches nothing
// the loop's objects hold.
class OffLoopWork final : public QObject {
    Q_DISABLE_COPY_MOVE(OffLoopWork)

public:
    using Then = std::function<void()>; // runs on the loop
    using Work = std::function<Then()>; // runs off the loop

    explicit OffLoopWork(QObject *parent = nullptr);
    // Waits for the work under way; what it gives back is not run.
    ~OffLoopWork() override;

    bool isBusy() const { return m_busy; }
    // Starts the work; false, and nothing started, while other work is under way.
    bool start(Work work);

private:
    QThreadPool m_thread;
    bool m_busy = false;
};
