// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The bytes of one configuration import as they arrive in chunks: complete
// once the end marker has come (it may straddle two chunks), refused once
// they outgrow any transmitter's configuration.
class ImportStream {
public:
    enum class State { Incomplete, Complete, Oversized };

    // The line that ends every configuration.
    static inline const QByteArray kEndMarker = "$req,gw,end,import";

    // A configuration larger than this is no transmitter's.
    static constexpr qsizetype kMaxBytes = 8 * 1024 * 1024;

    State append(const QByteArray &chunk);
    void clear() { m_bytes.clear(); }
    const QByteArray &bytes() const { return m_bytes; }
    // The text, decoded as a whole so that a character split between chunks survives.
    QString text() const { return QString::fromUtf8(m_bytes); }

private:
    QByteArray m_bytes;
};
