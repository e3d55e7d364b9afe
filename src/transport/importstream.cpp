// SPDX-License-Identifier: GPL-3.0-or-later
#include "importstream.h"

ImportStream::State ImportStream::append(const QByteArray &chunk)
{
    if (m_bytes.size() + chunk.size() > kMaxBytes) {
        m_bytes.clear();
        return State::Oversized;
    }
    // Only the tail that could complete a straddling marker is searched again.
    const qsizetype from = qMax<qsizetype>(0, m_bytes.size() - (kEndMarker.size() - 1));
    m_bytes += chunk;
    return m_bytes.indexOf(kEndMarker, from) >= 0 ? State::Complete : State::Incomplete;
}
