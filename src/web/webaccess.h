#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// Who may use the web remote. A pairing code, printed once by the
// command-line tool, can be exchanged once within five minutes for a device
// token that the browser keeps; the file in the data folder holds only their
// hashes, so that reading it gives no one a way in. Every question reads the
// file afresh: a code made or a token revoked by another program counts at once.
class WebAccess {
public:
    static constexpr qint64 kCodeLifetimeSeconds = 300;

    struct Token {
        QString id; // names it for listing and revoking; not the secret
        QString name;
        QDateTime created;
    };

    explicit WebAccess(QString path);
    // The file in the app's (or the --data) folder.
    static QString defaultPath();

    // A new pairing code; nothing when the file cannot be written.
    std::optional<QString> newPairingCode(const QDateTime &now = QDateTime::currentDateTimeUtc());
    // A new one-time link "<baseUrl>/pair?code=..." for a page served at
    // baseUrl (an http or https address); nothing, and why in *error, when
    // the address is not one or the file cannot be written.
    std::optional<QString> newPairingLink(const QString &baseUrl, QString *error);
    // The code's token, once: nothing for a code unknown, used or expired.
    std::optional<QString> pair(const QString &code, const QString &deviceName,
                                const QDateTime &now = QDateTime::currentDateTimeUtc());
    bool isValidToken(const QString &token) const;
    QList<Token> tokens() const;
    bool revoke(const QString &id);

    static QString hashOf(const QString &secret);
    QString path() const { return m_path; }

private:
    QString m_path;
};
