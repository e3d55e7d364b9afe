// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "enrol/framefeed.h"

#include <QPointer>

// Frames a journey shows the app instead of a camera's. The probe outlives
// the feed (the screen owns the feed) and says whether it runs.
struct FeedProbe {
    QPointer<FrameFeed> feed;
    bool running = false;
    int starts = 0;

    // Makes every feed the app asks for report to this probe.
    void install()
    {
        FrameFeed::setMaker([this] { return std::unique_ptr<FrameFeed>(new Fed(*this)); });
    }
    static void uninstall() { FrameFeed::setMaker({}); }
    void show(const QImage &frame)
    {
        if (feed && running)
            Q_EMIT feed->frameArrived(frame);
    }

    class Fed final : public FrameFeed {
    public:
        explicit Fed(FeedProbe &probe) : m_probe(probe) { probe.feed = this; }
        void start() override
        {
            m_probe.running = true;
            ++m_probe.starts;
        }
        void stop() override { m_probe.running = false; }

    private:
        FeedProbe &m_probe;
    };
};
