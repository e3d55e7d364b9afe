// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/transmitterlinks.h"

#include <QCoreApplication>
#include <QString>

// How a transmitter's link reads on the device list: the master "answered
// 12 s ago" or "not answering"; a slave, which answers only when it is
// located, "located 3 min ago". Nothing before the first command of the run.
class LinkStatusText {
    Q_DECLARE_TR_FUNCTIONS(LinkStatusText)

public:
    static QString of(const std::optional<TransmitterLinks::Link> &link, bool master,
                      TransmitterLinks::Clock::time_point now);
    // "12 s ago", "3 min ago", "2 h ago".
    static QString ago(std::chrono::seconds elapsed);
};
