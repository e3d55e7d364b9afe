// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandoutcome.h"

QString CommandOutcome::text() const
{
    switch (kind) {
    case Kind::Acknowledged:
        return QStringLiteral("acknowledged");
    case Kind::Refused:
        return QStringLiteral("refused_%1").arg(code);
    case Kind::NoReply:
        return QStringLiteral("no-reply");
    case Kind::Dropped:
        return QStringLiteral("dropped");
    case Kind::Unreadable:
        break;
    }
    return QStringLiteral("unreadable");
}
