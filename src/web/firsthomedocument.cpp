// SPDX-License-Identifier: GPL-3.0-or-later
#include "firsthomedocument.h"

#include <QJsonDocument>

QByteArray FirstHomeDocument::inertJson(const QJsonObject &home)
{
    // These characters only occur inside the JSON's strings, where their
    // \u escapes read as the same text.
    QByteArray json = QJsonDocument(home).toJson(QJsonDocument::Compact);
    json.replace("<", "\\u003c");
    json.replace(">", "\\u003e");
    json.replace("&", "\\u0026");
    json.replace("\xe2\x80\xa8", "\\u2028");
    json.replace("\xe2\x80\xa9", "\\u2029");
    return json;
}

QByteArray FirstHomeDocument::render(const QByteArray &html, const QJsonObject &home)
{
    const QByteArray block = QByteArray("<script type=\"application/json\" id=\"") + kBlockId +
                             "\">" + inertJson(home) + "</script>\n";
    QByteArray page = html;
    const qsizetype end = page.lastIndexOf("</body>");
    return end < 0 ? page + block : page.insert(end, block);
}
