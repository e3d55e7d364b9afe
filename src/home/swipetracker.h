// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>

// Tells, per finger, when a touch has moved more than 40 points down or up
// from where it started. Each finger acts once per touch.
class SwipeTracker {
public:
    enum class Swipe { None, Down, Up };
    static constexpr double kThreshold = 40;

    void begin(int finger, double y) { m_starts.insert(finger, y); }

    Swipe move(int finger, double y)
    {
        const auto start = m_starts.constFind(finger);
        if (start == m_starts.cend())
            return Swipe::None; // already acted, or never began here
        const double moved = y - *start;
        if (moved <= kThreshold && moved >= -kThreshold)
            return Swipe::None;
        m_starts.remove(finger);
        return moved > 0 ? Swipe::Down : Swipe::Up;
    }

    void end(int finger) { m_starts.remove(finger); }

private:
    QHash<int, double> m_starts;
};
