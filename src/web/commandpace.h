// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

// Paces each device's commands at a person's rate: kBurst of them at once
// (a few presses in a row, a slider drawn along), then one every
// kIntervalMs. A command that costs more (an import of the whole home) uses
// up as many. A device whose allowance is whole again is forgotten, so the
// table holds only the devices that sent lately.
class CommandPace {
public:
    static constexpr int kBurst = 20;
    static constexpr int kIntervalMs = 250;

    // Whether the device may send a command of that cost at nowMs; counted if so.
    bool take(const QString &device, int cost, qint64 nowMs);
    int deviceCount() const { return int(m_whole.size()); }

private:
    QHash<QString, qint64> m_whole; // when each device's allowance is whole again
};
