// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagerequest.h"

#include "compactjson.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace PageRequest {
namespace {
// IDs and scenario numbers are short runs of letters, digits and "-" (All
// On and All Off are -1 and -2): anything else names nothing and is not passed on.
bool isPlainName(const QString &text)
{
    if (text.isEmpty() || text.size() > kMaxIdLength)
        return false;
    for (const QChar c : text)
        if (c.unicode() >= 0x80 || !(c.isLetterOrNumber() || c == QLatin1Char('-')))
            return false;
    return true;
}
} // namespace

Request parse(const QByteArray &message)
{
    const QJsonDocument document = QJsonDocument::fromJson(message);
    if (!document.isObject())
        return Refused{QStringLiteral("not a request")};
    QJsonObject request = document.object();
    const QString type = request.value(QLatin1String("type")).toString();
    if (type == QLatin1String("set")) {
        const QString id = request.value(QLatin1String("id")).toString();
        if (!isPlainName(id))
            return Refused{QStringLiteral("no such channel")};
        request.remove(QStringLiteral("type"));
        request.remove(QStringLiteral("id"));
        return Set{id, compactJsonOf(request)};
    }
    if (type == QLatin1String("scenario")) {
        const QString number = request.value(QLatin1String("number")).toString();
        if (!isPlainName(number))
            return Refused{QStringLiteral("no such scenario")};
        return Scenario{number};
    }
    if (type == QLatin1String("sync"))
        return Sync{};
    if (type.isEmpty())
        return Refused{QStringLiteral("not a request")};
    return Refused{QStringLiteral("no such request: %1").arg(type.left(kMaxIdLength))};
}
} // namespace PageRequest
