// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

// The phone screen a window's size stands for: a 640 x 960 screen (320 x 480
// points), a 640 x 1136 one (320 x 568) or another. Screens choose picture
// sets and item counts by it.
class ScreenMode {
public:
    enum Mode { Classic, Tall, Other };

    static Mode of(const QSize &points)
    {
        if (points.height() < 568)
            return Classic;
        return points.width() <= 400 ? Tall : Other;
    }
};
