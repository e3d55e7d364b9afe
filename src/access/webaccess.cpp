// SPDX-License-Identifier: GPL-3.0-or-later
#include "webaccess.h"

#include "base/documents.h"
#include "base/printabletext.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QUrl>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// Letters and digits that cannot be mistaken for one another when typed.
const QString kCodeAlphabet = QStringLiteral("ABCDEFGHJKMNPQRSTUVWXYZ23456789");
constexpr int kCodeLength = 10;
constexpr int kTokenBytes = 32;

QJsonObject readAccessFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool writeAccessFile(const QString &path, const QJsonObject &object)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return file.commit();
}

// An exclusive lock on the file's lock file, held while it lives. The
// lock file stays (an empty file): the lock is on it, not on the data file,
// which is replaced whole by each write.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const QString &path)
        : m_fd(::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~ExclusiveLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // and the lock with it
    }
    ExclusiveLock(const ExclusiveLock &) = delete;
    ExclusiveLock &operator=(const ExclusiveLock &) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd;
};

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

// A stored role: an owner's only where the file says so in as many words.
WebAccess::Role storedRole(const QJsonObject &object)
{
    return WebAccess::roleNamed(object.value(QLatin1String("role")).toString())
        .value_or(WebAccess::Role::Family);
}

// The stored token of that hash, or an empty object.
QJsonObject tokenWithHash(const QJsonObject &all, const QString &hash)
{
    for (const QJsonValue &t : all.value(QLatin1String("tokens")).toArray())
        if (t.toObject().value(QLatin1String("hash")).toString() == hash)
            return t.toObject();
    return {};
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

QString WebAccess::nameOf(Role role)
{
    return role == Role::Owner ? QStringLiteral("owner") : QStringLiteral("family");
}

std::optional<WebAccess::Role> WebAccess::roleNamed(const QString &name)
{
    if (name == QLatin1String("owner"))
        return Role::Owner;
    if (name == QLatin1String("family"))
        return Role::Family;
    return std::nullopt;
}

QString WebAccess::defaultPath()
{
    return Documents::filePath(QStringLiteral("web-access.json"));
}

QString WebAccess::hashOf(const QString &secret)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(secret.toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool WebAccess::change(const std::function<bool(QJsonObject &all)> &edit)
{
    const ExclusiveLock lock(m_path);
    if (!lock.held())
        return false;
    QJsonObject all = readAccessFile(m_path);
    return edit(all) && writeAccessFile(m_path, all);
}

std::optional<QString> WebAccess::newPairingCode(const QDateTime &now, QString *error, Role role,
                                                 Asker asker)
{
    const bool byBroker = asker == Asker::Broker;
    if (byBroker && role == Role::Owner) {
        if (error)
            *error = QStringLiteral("an owner's link is made only by the owner (ardentia-ctl "
                                    "web-pair --owner, as the bridge's user)");
        return std::nullopt;
    }
    const int pool = byBroker ? kMaxBrokerCodes : kMaxLiveCodes;
    const QString code = randomCode();
    bool full = false;
    const bool written = change([&](QJsonObject &all) {
        QJsonArray codes = liveCodes(all, now);
        // A code stored without an asker is the owner's.
        const auto asked = std::count_if(codes.cbegin(), codes.cend(), [byBroker](const auto &c) {
            return (c.toObject().value(QLatin1String("asker")).toString() ==
                    QLatin1String("broker")) == byBroker;
        });
        full = asked >= pool;
        if (full)
            return false;
        QJsonObject stored{
            {QStringLiteral("hash"), hashOf(code)},
            {QStringLiteral("expires"), now.addSecs(kCodeLifetimeSeconds).toString(Qt::ISODate)},
            {QStringLiteral("role"), nameOf(role)}};
        if (byBroker)
            stored.insert(QStringLiteral("asker"), QStringLiteral("broker"));
        codes.append(stored);
        all.insert(QStringLiteral("codes"), codes);
        return true;
    });
    if (!written) {
        if (error)
            *error = full ? QStringLiteral("%1 pairing links are waiting already: use one, or "
                                           "wait until one expires (%2 minutes)")
                                .arg(pool)
                                .arg(kCodeLifetimeSeconds / 60)
                          : QStringLiteral("cannot write %1").arg(m_path);
        return std::nullopt;
    }
    return code;
}

std::optional<QString> WebAccess::newPairingLink(const QString &baseUrl, QString *error, Role role,
                                                 Asker asker)
{
    const QUrl url(baseUrl);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) ||
        url.host().isEmpty()) {
        *error = QStringLiteral("\"%1\" is not an http(s) address").arg(baseUrl);
        return std::nullopt;
    }
    const std::optional<QString> code =
        newPairingCode(QDateTime::currentDateTimeUtc(), error, role, asker);
    if (!code)
        return std::nullopt;
    QString base = baseUrl;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QStringLiteral("/pair?code=") + *code;
}

std::optional<QString> WebAccess::pair(const QString &code, const QString &deviceName,
                                       const QDateTime &now)
{
    const QString hash = hashOf(code.trimmed().toUpper());
    const QString token = randomToken();
    const bool paired = change([&](QJsonObject &all) {
        QJsonArray codes = liveCodes(all, now);
        qsizetype found = -1;
        for (qsizetype i = 0; i < codes.size() && found < 0; ++i)
            if (codes.at(i).toObject().value(QLatin1String("hash")).toString() == hash)
                found = i;
        if (found < 0)
            return false;
        const Role role = storedRole(codes.at(found).toObject());
        codes.removeAt(found); // used once
        QJsonArray tokens = all.value(QLatin1String("tokens")).toArray();
        tokens.append(QJsonObject{{QStringLiteral("id"), hashOf(token).left(12)},
                                  {QStringLiteral("hash"), hashOf(token)},
                                  {QStringLiteral("name"), printableText(deviceName.left(80))},
                                  {QStringLiteral("created"), now.toString(Qt::ISODate)},
                                  {QStringLiteral("role"), nameOf(role)}});
        all.insert(QStringLiteral("codes"), codes);
        all.insert(QStringLiteral("tokens"), tokens);
        return true;
    });
    if (!paired)
        return std::nullopt;
    return token;
}

std::optional<QJsonObject> WebAccess::deviceRecordOf(const QString &token) const
{
    if (token.isEmpty())
        return std::nullopt;
    const QJsonObject stored = tokenWithHash(readAccessFile(m_path), hashOf(token));
    if (stored.isEmpty())
        return std::nullopt;
    return stored;
}

bool WebAccess::keepDevice(const QJsonObject &record)
{
    const QString hash = record.value(QLatin1String("hash")).toString();
    if (hash.isEmpty())
        return false;
    return change([&](QJsonObject &all) {
        if (!tokenWithHash(all, hash).isEmpty())
            return true;
        QJsonArray tokens = all.value(QLatin1String("tokens")).toArray();
        tokens.append(record);
        all.insert(QStringLiteral("tokens"), tokens);
        return true;
    });
}

bool WebAccess::isValidToken(const QString &token) const
{
    return roleOf(token).has_value();
}

std::optional<WebAccess::Role> WebAccess::roleOf(const QString &token) const
{
    if (token.isEmpty())
        return std::nullopt;
    const QJsonObject stored = tokenWithHash(readAccessFile(m_path), hashOf(token));
    if (stored.isEmpty())
        return std::nullopt;
    return storedRole(stored);
}

QList<WebAccess::Token> WebAccess::tokens() const
{
    QList<Token> list;
    for (const QJsonValue &t : readAccessFile(m_path).value(QLatin1String("tokens")).toArray()) {
        const QJsonObject object = t.toObject();
        list.append(
            {object.value(QLatin1String("id")).toString(),
             object.value(QLatin1String("name")).toString(),
             QDateTime::fromString(object.value(QLatin1String("created")).toString(), Qt::ISODate),
             storedRole(object)});
    }
    return list;
}

bool WebAccess::revoke(const QString &id)
{
    return change([&id](QJsonObject &all) {
        QJsonArray tokens = all.value(QLatin1String("tokens")).toArray();
        const qsizetype before = tokens.size();
        for (qsizetype i = tokens.size() - 1; i >= 0; --i)
            if (tokens.at(i).toObject().value(QLatin1String("id")).toString() == id)
                tokens.removeAt(i);
        all.insert(QStringLiteral("tokens"), tokens);
        return tokens.size() != before;
    });
}

bool WebAccess::setRole(const QString &id, Role role)
{
    return change([&](QJsonObject &all) {
        QJsonArray tokens = all.value(QLatin1String("tokens")).toArray();
        bool found = false;
        for (qsizetype i = 0; i < tokens.size(); ++i) {
            QJsonObject token = tokens.at(i).toObject();
            if (token.value(QLatin1String("id")).toString() != id)
                continue;
            token.insert(QStringLiteral("role"), nameOf(role));
            tokens.replace(i, token);
            found = true;
        }
        all.insert(QStringLiteral("tokens"), tokens);
        return found;
    });
}
