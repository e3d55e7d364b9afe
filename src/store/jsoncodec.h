// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

// Records as compact JSON text and back. Records hold only text, lists and
// string-keyed maps; anything else cannot be written.
class JsonCodec {
public:
    // Compact UTF-8 JSON; nullopt when the record holds a value of another kind.
    static std::optional<QString> JSONString(const QVariantMap &record);
    static std::optional<QByteArray> JSONBytes(const QVariantMap &record);
    // A map or a list; an invalid QVariant when the text is empty or not
    // strict JSON with an object or array at the top.
    static QVariant mutableObjectFromJSONString(const QByteArray &utf8);
    static QVariant mutableObjectFromJSONString(const QString &text);
    // The same, for callers that need a record.
    static std::optional<QVariantMap> recordFromJSONString(const QByteArray &utf8);
    static std::optional<QVariantMap> recordFromJSONString(const QString &text);

    static bool holdsOnlyRecordValues(const QVariant &value);
};
