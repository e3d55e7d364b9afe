#include "webpairing.h"

#include "gateway/localaddress.h"
#include "terminalqr.h"
#include "web/webaccess.h"

#include <QUrl>

WebPairing::Outcome WebPairing::pair(const QString &baseUrl)
{
    QString base = baseUrl;
    if (base.isEmpty())
        base = QStringLiteral("http://%1:8080").arg(LocalAddress::getLocalAddressString());
    const QUrl url(base);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) ||
        url.host().isEmpty())
        return {false, QStringLiteral("\"%1\" is not an http(s) address").arg(base)};
    WebAccess access(WebAccess::defaultPath());
    const std::optional<QString> code = access.newPairingCode();
    if (!code)
        return {false, QStringLiteral("cannot write %1").arg(WebAccess::defaultPath())};
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString link = base + QStringLiteral("/pair?code=") + *code;
    return {true,
            QStringLiteral("Open this on the phone within %1 minutes (it works once):\n%2\n\n%3")
                .arg(WebAccess::kCodeLifetimeSeconds / 60)
                .arg(link, terminalQrCode(link))};
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
