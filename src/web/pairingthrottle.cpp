// SPDX-License-Identifier: GPL-3.0-or-later
#include "pairingthrottle.h"

bool PairingThrottle::refuses(const QHostAddress &address, qint64 nowMs)
{
    forgetOlderThanWindow(nowMs);
    const qsizetype own = m_failures.value(keyOf(address)).size();
    return own >= kMaxFailuresPerAddress || (m_total >= kMaxFailuresOverall && own > 0);
}

void PairingThrottle::failed(const QHostAddress &address, qint64 nowMs)
{
    m_failures[keyOf(address)].append(nowMs);
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

QString PairingThrottle::keyOf(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4); // also one mapped into IPv6
    if (isIPv4)
        return QHostAddress(ipv4).toString();
    // The network's half of an IPv6 address: the device picks the rest at will.
    Q_IPV6ADDR network = address.toIPv6Address();
    std::fill(std::begin(network.c) + 8, std::end(network.c), quint8(0));
    return QHostAddress(network).toString() + QStringLiteral("/64");
}
