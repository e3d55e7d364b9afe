// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The datagram line of a command array.
class CommandLine {
public:
    // The two characters (backslash, letter n) that end every framed line.
    static inline const QString kSuffix = QStringLiteral("\\n");
    static inline const QString kToken = QStringLiteral("token");

    // Fields joined with ","; with 4 or more fields wrapped as token$...\n.
    static QString lineFromCommandArray(const QStringList &commandArray);
    static QByteArray datagramFromCommandArray(const QStringList &commandArray);

    // A field the wire cannot carry: it holds "," (which would split it), the
    // line's suffix (which would end it early), a line break or another
    // control character (ESC, NUL, ...).
    static bool isSendableField(const QString &field);
    // What a sendable field may not hold, in words for a message.
    static QString fieldRule();
    static bool isSendable(const QStringList &commandArray);
};
