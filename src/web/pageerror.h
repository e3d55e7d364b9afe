// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

// An error told to a page of the web remote: code names the page's own text
// for it; message is for requests the page cannot have made itself (shown
// as it stands).
inline QJsonObject pageError(const QString &code, const QString &message = {})
{
    return {{QStringLiteral("type"), QStringLiteral("error")},
            {QStringLiteral("code"), code},
            {QStringLiteral("message"), message}};
}

// The end of a flow a page started and waits on (a save, a naming):
// {"type": end, "done": bool}, told after any error of its own.
inline QJsonObject pageEnd(const QString &end, bool done)
{
    return {{QStringLiteral("type"), end}, {QStringLiteral("done"), done}};
}
