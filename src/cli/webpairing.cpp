// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpairing.h"

#include "terminalqr.h"
#include "transport/localaddress.h"
#include "web/webaccess.h"

WebPairing::Outcome WebPairing::pair(const QString &baseUrl)
{
    const QString base =
        baseUrl.isEmpty()
            ? QStringLiteral("http://%1:8080").arg(LocalAddress::getLocalAddressString())
            : baseUrl;
    QString error;
    const std::optional<QString> link =
        WebAccess(WebAccess::defaultPath()).newPairingLink(base, &error);
    if (!link)
        return {false, error};
    return {true,
            QStringLiteral("Open this on the phone within %1 minutes (it works once):\n%2\n\n%3")
                .arg(WebAccess::kCodeLifetimeSeconds / 60)
                .arg(*link, terminalQrCode(*link))};
}

WebPairing::Outcome WebPairing::listTokens()
{
    const QList<WebAccess::Token> tokens = WebAccess(WebAccess::defaultPath()).tokens();
    if (tokens.isEmpty())
        return {true, QStringLiteral("No device is paired.")};
    QString text = QStringLiteral("Paired devices (%1):").arg(tokens.size());
    for (const WebAccess::Token &token : tokens)
        text += QStringLiteral("\n  %1  %2  since %3")
                    .arg(token.id, token.name, token.created.toString(Qt::ISODate));
    return {true, text};
}

WebPairing::Outcome WebPairing::revoke(const QString &id)
{
    if (!WebAccess(WebAccess::defaultPath()).revoke(id))
        return {false, QStringLiteral("no paired device %1").arg(id)};
    return {true, QStringLiteral("%1 can no longer use the remote").arg(id)};
}
