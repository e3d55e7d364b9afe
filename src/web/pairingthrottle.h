// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>

// Slows down guessing pairing codes without locking out the phones that hold
// a good one: past kMaxFailuresPerAddress failed pairings from one address
// within a minute that address is refused (an IPv6 address's /64 network
// counts as one address: a device gets as many of those as it likes). Past
// kMaxFailuresOverall from all addresses together, an address that failed
// even once within the minute is refused as well, while one that has not
// failed keeps its try: a phone opening the owner's link pairs however many
// others guess. Whether an attempt is refused depends on its address's
// failures alone, never on its code, and a refused attempt is not tried at
// all: being refused tells a guesser nothing about which codes are right.
class PairingThrottle {
public:
    static constexpr int kMaxFailuresPerAddress = 5;
    static constexpr int kMaxFailuresOverall = 30;
    static constexpr qint64 kWindowMs = 60000;

    bool refuses(const QHostAddress &address, qint64 nowMs);
    void failed(const QHostAddress &address, qint64 nowMs);

private:
    void forgetOlderThanWindow(qint64 nowMs);
    static QString keyOf(const QHostAddress &address);

    QHash<QString, QList<qint64>> m_failures; // address -> times (ms) of failed pairings
    qsizetype m_total = 0;
};
