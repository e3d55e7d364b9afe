// SPDX-License-Identifier: GPL-3.0-or-later
#include "flowoutcome.h"

#include <QCoreApplication>

FlowOutcome FlowOutcome::told() const
{
    FlowOutcome told = *this;
    if (told.title.isEmpty() && !told.isDone()) {
        // The feedback service's words, in its translation context.
        told.title = QCoreApplication::translate("ShowAlertManager", "Control failed");
        told.detail =
            QCoreApplication::translate("ShowAlertManager", "Please check device and network");
    }
    return told;
}

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
