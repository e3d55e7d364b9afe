// SPDX-License-Identifier: GPL-3.0-or-later
#include "pairingthrottle.h"

bool PairingThrottle::refuses(const QHostAddress &address, qint64 nowMs)
{
    forgetOlderThanWindow(nowMs);
    return m_total >= kMaxFailuresOverall ||
           m_failures.value(address.toString()).size() >= kMaxFailuresPerAddress;
}

void PairingThrottle::failed(const QHostAddress &address, qint64 nowMs)
{
    m_failures[address.toString()].append(nowMs);
    ++m_total;
}

void PairingThrottle::forgetOlderThanWindow(qint64 nowMs)
{
    // An address without failures left is forgotten with them.
    for (auto it = m_failures.begin(); it != m_failures.end();) {
        m_total -= it->removeIf([nowMs](qint64 t) { return nowMs - t >= kWindowMs; });
        it = it->isEmpty() ? m_failures.erase(it) : std::next(it);
    }
}
