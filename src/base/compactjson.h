// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

// An object as one line of JSON, the form every payload and page message of
// the bridge takes.
inline QByteArray compactJsonOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

inline QByteArray compactJson(const QVariantMap &map)
{
    return compactJsonOf(QJsonObject::fromVariantMap(map));
}
