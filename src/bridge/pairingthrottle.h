// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>

// Slows down guessing pairing codes: past kMaxFailuresPerAddress failed
// pairings from one address within a minute that address is refused, and
// past kMaxFailuresOverall from all addresses together everyone is, until
// the failures are a minute old. A refused attempt is not tried at all,
// whether its code is good or not: trying it would tell a guesser which
// codes are right however many it has been refused.
class PairingThrottle {
public:
    static constexpr int kMaxFailuresPerAddress = 5;
    static constexpr int kMaxFailuresOverall = 30;
    static constexpr qint64 kWindowMs = 60000;

    bool refuses(const QHostAddress &address, qint64 nowMs);
    void failed(const QHostAddress &address, qint64 nowMs);

private:
    void forgetOlderThanWindow(qint64 nowMs);

    QHash<QString, QList<qint64>> m_failures; // address -> times (ms) of failed pairings
    qsizetype m_total = 0;
};
