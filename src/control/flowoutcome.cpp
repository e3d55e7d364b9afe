// SPDX-License-Identifier: GPL-3.0-or-later
#include "flowoutcome.h"

QString FlowOutcome::kindName() const
{
    switch (kind) {
    case Kind::Done:
        return QStringLiteral("done");
    case Kind::Refused:
        return QStringLiteral("refused");
    case Kind::NoReply:
        return QStringLiteral("no-reply");
    case Kind::Dropped:
        return QStringLiteral("dropped");
    case Kind::InvalidInput:
        return QStringLiteral("invalid-input");
    case Kind::StoreFailure:
        return QStringLiteral("store-failure");
    }
    return {};
}
