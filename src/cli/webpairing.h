// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "access/webaccess.h"
#include "printedoutcome.h"

#include <QString>

// The web remote's pairing from the command line: a one-time link with its
// QR code for a phone to open, and the device tokens given out so far.
class WebPairing {
public:
    using Outcome = PrintedOutcome;

    // baseUrl: where the bridge serves the remote; this machine's address on
    // port 8080 when empty. The device paired by the link has that role.
    static Outcome pair(const QString &baseUrl, WebAccess::Role role);
    static Outcome listTokens();
    static Outcome revoke(const QString &id);
    static Outcome setRole(const QString &id, WebAccess::Role role);
};
