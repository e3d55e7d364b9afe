// SPDX-License-Identifier: GPL-3.0-or-later
#include "jsoncodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

bool JsonCodec::holdsOnlyRecordValues(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return true;
    case QMetaType::QStringList:
        return true;
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        return std::all_of(list.cbegin(), list.cend(), holdsOnlyRecordValues);
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        return std::all_of(map.cbegin(), map.cend(), holdsOnlyRecordValues);
    }
    default:
        return false;
    }
}

namespace {
// A text JSON carries as it is: no quote, backslash, control character or
// surrogate that the writer would escape or check.
bool isPlainText(QStringView text)
{
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || u == u'"' || u == u'\\' || QChar::isSurrogate(u);
    });
}

// A record of plain texts written directly: the bytes the document writer
// gives (keys in the map's order, compact), without building a document.
std::optional<QByteArray> plainRecordJSON(const QVariantMap &record)
{
    QString json;
    json.reserve(256);
    json += u'{';
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        if (it.value().typeId() != QMetaType::QString)
            return std::nullopt;
        const QString &value = *static_cast<const QString *>(it.value().constData());
        if (!isPlainText(it.key()) || !isPlainText(value))
            return std::nullopt;
        if (it != record.cbegin())
            json += u',';
        json += u'"' + it.key() + u"\":\"" + value + u'"';
    }
    json += u'}';
    return json.toUtf8();
}
} // namespace

std::optional<QByteArray> JsonCodec::JSONBytes(const QVariantMap &record)
{
    if (std::optional<QByteArray> plain = plainRecordJSON(record))
        return plain;
    if (!holdsOnlyRecordValues(record))
        return std::nullopt;
    return QJsonDocument(QJsonObject::fromVariantMap(record)).toJson(QJsonDocument::Compact);
}

std::optional<QString> JsonCodec::JSONString(const QVariantMap &record)
{
    const std::optional<QByteArray> bytes = JSONBytes(record);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

QVariant JsonCodec::mutableObjectFromJSONString(const QByteArray &utf8)
{
    if (utf8.isEmpty())
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError)
        return {};
    if (document.isObject())
        return document.object().toVariantMap();
    if (document.isArray())
        return document.array().toVariantList();
    return {};
}

QVariant JsonCodec::mutableObjectFromJSONString(const QString &text)
{
    return mutableObjectFromJSONString(text.toUtf8());
}

std::optional<QVariantMap> JsonCodec::recordFromJSONString(const QByteArray &utf8)
{
    const QVariant parsed = mutableObjectFromJSONString(utf8);
    if (parsed.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return parsed.toMap();
}

std::optional<QVariantMap> JsonCodec::recordFromJSONString(const QString &text)
{
    return recordFromJSONString(text.toUtf8());
}
