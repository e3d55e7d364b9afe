// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpairing.h"

#include "access/webaccess.h"
#include "base/printabletext.h"
#include "terminalqr.h"
#include "transport/localaddress.h"

WebPairing::Outcome WebPairing::pair(const QString &baseUrl, WebAccess::Role role)
{
    const QString base =
        baseUrl.isEmpty()
            ? QStringLiteral("http://%1:8080").arg(LocalAddress::getLocalAddressString())
            : baseUrl;
    QString error;
    const std::optional<QString> link =
        WebAccess(WebAccess::defaultPath()).newPairingLink(base, &error, role);
    if (!link)
        return {false, error};
    return {true, QStringLiteral("Open this on the phone within %1 minutes (it works once, and "
                                 "pairs it as %2 device):\n%3\n\n%4")
                      .arg(WebAccess::kCodeLifetimeSeconds / 60)
                      .arg(role == WebAccess::Role::Owner ? QStringLiteral("the owner's")
                                                          : QStringLiteral("a family member's"),
                           *link, terminalQrCode(*link))};
}

WebPairing::Outcome WebPairing::listTokens()
{
    const QList<WebAccess::Token> tokens = WebAccess(WebAccess::defaultPath()).tokens();
    if (tokens.isEmpty())
        return {true, QStringLiteral("No device is paired.")};
    QString text = QStringLiteral("Paired devices (%1):").arg(tokens.size());
    for (const WebAccess::Token &token : tokens)
        text += QStringLiteral("\n  %1  %2  %3  since %4")
                    .arg(printableText(token.id), WebAccess::nameOf(token.role).leftJustified(6),
                         printableText(token.name), token.created.toString(Qt::ISODate));
    return {true, text};
}

WebPairing::Outcome WebPairing::revoke(const QString &id)
{
    if (!WebAccess(WebAccess::defaultPath()).revoke(id))
        return {false, QStringLiteral("no paired device %1").arg(id)};
    return {true, QStringLiteral("%1 can no longer use the remote").arg(id)};
}

WebPairing::Outcome WebPairing::setRole(const QString &id, WebAccess::Role role)
{
    if (!WebAccess(WebAccess::defaultPath()).setRole(id, role))
        return {false, QStringLiteral("no paired device %1").arg(id)};
    return {true, QStringLiteral("%1 is now a %2 device").arg(id, WebAccess::nameOf(role))};
}
