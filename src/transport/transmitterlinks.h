// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <chrono>
#include <optional>

// What the channel has heard of each transmitter in this run: when it last
// answered, and whether the last command sent to it went unanswered since.
class TransmitterLinks {
public:
    using Clock = std::chrono::steady_clock;

    struct Link {
        std::optional<Clock::time_point> lastAnswer;
        bool answering = false;
    };

    void answered(const QString &transmitterId, Clock::time_point at = Clock::now());
    void unanswered(const QString &transmitterId);
    // Nothing when no command has been sent to it in this run.
    std::optional<Link> linkOf(const QString &transmitterId) const;
    void clear() { m_links.clear(); }

private:
    QHash<QString, Link> m_links;
};
