#include "webaccess.h"

#include "core/documents.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QUrl>

namespace {
// Letters and digits that cannot be mistaken for one another when typed.
const QString kCodeAlphabet = QStringLiteral("ABCDEFGHJKMNPQRSTUVWXYZ23456789");
constexpr int kCodeLength = 10;
constexpr int kTokenBytes = 32;

QJsonObject readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool writeAll(const QString &path, const QJsonObject &object)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return file.commit();
}

QString randomCode()
{
    QString code;
    for (int i = 0; i < kCodeLength; ++i)
        code += kCodeAlphabet.at(int(QRandomGenerator::system()->bounded(kCodeAlphabet.size())));
    return code;
}

QString randomToken()
{
    QByteArray bytes(kTokenBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()),
                                          kTokenBytes / 4);
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

// Codes that are still good; the spent and expired ones go when the file is written.
QJsonArray liveCodes(const QJsonObject &all, const QDateTime &now)
{
    QJsonArray live;
    for (const QJsonValue &code : all.value(QLatin1String("codes")).toArray())
        if (QDateTime::fromString(code.toObject().value(QLatin1String("expires")).toString(),
                                  Qt::ISODate) > now)
            live.append(code);
    return live;
}
} // namespace

WebAccess::WebAccess(QString path) : m_path(std::move(path)) {}

QString WebAccess::defaultPath()
{
    return Documents::filePath(QStringLiteral("web-access.json"));
}

QString WebAccess::hashOf(const QString &secret)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(secret.toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::optional<QString> WebAccess::newPairingCode(const QDateTime &now)
{
    QJsonObject all = readAll(m_path);
    QJsonArray codes = liveCodes(all, now);
    const QString code = randomCode();
    codes.append(QJsonObject{
        {QStringLiteral("hash"), hashOf(code)},
        {QStringLiteral("expires"), now.addSecs(kCodeLifetimeSeconds).toString(Qt::ISODate)}});
    all.insert(QStringLiteral("codes"), codes);
    if (!writeAll(m_path, all))
        return std::nullopt;
    return code;
}

std::optional<QString> WebAccess::newPairingLink(const QString &baseUrl, QString *error)
{
    const QUrl url(baseUrl);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) ||
        url.host().isEmpty()) {
        *error = QStringLiteral("\"%1\" is not an http(s) address").arg(baseUrl);
        return std::nullopt;
    }
    const std::optional<QString> code = newPairingCode();
    if (!code) {
        *error = QStringLiteral("cannot write %1").arg(m_path);
        return std::nullopt;
    }
    QString base = baseUrl;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QStringLiteral("/pair?code=") + *code;
}

std::optional<QString> WebAccess::pair(const QString &code, const QString &deviceName,
                                       const QDateTime &now)
{
    QJsonObject all = readAll(m_path);
    QJsonArray codes = liveCodes(all, now);
    const QString hash = hashOf(code.trimmed().toUpper());
    qsizetype found = -1;
    for (qsizetype i = 0; i < codes.size() && found < 0; ++i)
        if (codes.at(i).toObject().value(QLatin1String("hash")).toString() == hash)
            found = i;
    if (found < 0)
        return std::nullopt;
    codes.removeAt(found); // used once
    const QString token = randomToken();
    QJsonArray tokens = all.value(QLatin1String("tokens")).toArray();
    tokens.append(QJsonObject{{QStringLiteral("id"), hashOf(token).left(12)},
                              {QStringLiteral("hash"), hashOf(token)},
                              {QStringLiteral("name"), deviceName.left(80)},
                              {QStringLiteral("created"), now.toString(Qt::ISODate)}});
    all.insert(QStringLiteral("codes"), codes);
    all.insert(QStringLiteral("tokens"), tokens);
    if (!writeAll(m_path, all))
        return std::nullopt;
    return token;
}

bool WebAccess::isValidToken(const QString &token) const
{
    if (token.isEmpty())
        return false;
    const QString hash = hashOf(token);
    const QJsonArray tokens = readAll(m_path).value(QLatin1String("tokens")).toArray();
    return std::any_of(tokens.cbegin(), tokens.cend(), [&hash](const QJsonValue &t) {
        return t.toObject().value(QLatin1String("hash")).toString() == hash;
    });
}

QList<WebAccess::Token> WebAccess::tokens() const
{
    QList<Token> list;
    for (const QJsonValue &t : readAll(m_path).value(QLatin1String("tokens")).toArray()) {
        const QJsonObject object = t.toObject();
        list.append({object.value(QLatin1String("id")).toString(),
                     object.value(QLatin1String("name")).toString(),
                     QDateTime::fromString(object.value(QLatin1String("created")).toString(),
                                           Qt::ISODate)});
    }
    return list;
}

bool WebAccess::revoke(const QString &id)
{
    QJsonObject all = readAll(m_path);
    QJsonArray tokens = all.value(QLatin1String("tokens")).toArray();
    const qsizetype before = tokens.size();
    for (qsizetype i = tokens.size() - 1; i >= 0; --i)
        if (tokens.at(i).toObject().value(QLatin1String("id")).toString() == id)
            tokens.removeAt(i);
    if (tokens.size() == before)
        return false;
    all.insert(QStringLiteral("tokens"), tokens);
    return writeAll(m_path, all);
}
