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

std::optional<QByteArray> JsonCodec::JSONBytes(const QVariantMap &record)
{
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
