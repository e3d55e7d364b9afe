// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Who may use the web remote. A pairing code, printed once by the
// command-line tool, can be exchanged once within five minutes for a device
// token that the browser keeps; the file in the data folder holds only their
// hashes, so that reading it gives no one a way in. Every question reads the
// file afresh: a code made or a token revoked by another program counts at once.
// Every change reads, changes and writes the file under an exclusive lock
// (of the file beside it, ".lock"), so that the bridge and the command-line
// tool, run side by side, never undo each other's changes.
//
// Every token has a role: a family device switches, dims, moves curtains,
// runs scenarios and sees states; an owner's also enrols, names, removes and
// edits. A token stored without a role (paired before there were roles) is a
// family device's: nothing it could do before is taken away, and no phone
// gains powers it was never given.
class WebAccess {
public:
    enum class Role { Family, Owner };
    static QString nameOf(Role role);
    // "family" or "owner"; nothing for any other text.
    static std::optional<Role> roleNamed(const QString &name);

    static constexpr qint64 kCodeLifetimeSeconds = 300;
    // Who asks for a code: the owner (the command-line tool, run as the
    // bridge's own user), or a peer on the MQTT broker, whose codes pair
    // family members' devices only.
    enum class Asker { Owner, Broker };
    // Codes that can be waiting at once, in each asker's pool of its own (so
    // that codes asked for over MQTT never use up the owner's): more are
    // refused until one is used or expires.
    static constexpr int kMaxLiveCodes = 5;
    static constexpr int kMaxBrokerCodes = 3;

    struct Token {
        QString id; // names it for listing and revoking; not the secret
        QString name;
        QDateTime created;
        Role role = Role::Family;
    };

    explicit WebAccess(QString path);
    // The file in the app's (or the --data) folder.
    static QString defaultPath();

    // A new pairing code for a device of that role; nothing, and why in
    // *error when given, when the asker's pool is full, an owner's code is
    // asked for by the broker, or the file cannot be written.
    std::optional<QString> newPairingCode(const QDateTime &now = QDateTime::currentDateTimeUtc(),
                                          QString *error = nullptr, Role role = Role::Family,
                                          Asker asker = Asker::Owner);
    // A new one-time link "<baseUrl>/pair?code=..." for a page served at
    // baseUrl (an http or https address); nothing, and why in *error, when
    // the address is not one or no code can be made.
    std::optional<QString> newPairingLink(const QString &baseUrl, QString *error,
                                          Role role = Role::Family, Asker asker = Asker::Owner);
    // The code's token, once, with the code's role: nothing for a code
    // unknown, used or expired.
    std::optional<QString> pair(const QString &code, const QString &deviceName,
                                const QDateTime &now = QDateTime::currentDateTimeUtc());
    bool isValidToken(const QString &token) const;
    // The token's role; nothing when it is not (or no longer) a paired device's.
    std::optional<Role> roleOf(const QString &token) const;
    QList<Token> tokens() const;
    bool revoke(const QString &id);
    // False when no paired device has that ID or the file cannot be written.
    bool setRole(const QString &id, Role role);

    // A paired device's stored record, to be kept across a restore that
    // replaces this file; nothing when the token is not a paired device's.
    std::optional<QJsonObject> deviceRecordOf(const QString &token) const;
    // Puts such a record back unless a device of its token is paired already;
    // false when the file cannot be written.
    bool keepDevice(const QJsonObject &record);

    static QString hashOf(const QString &secret);
    QString path() const { return m_path; }

private:
    // Reads the file, lets edit change it and writes it back, all under the
    // lock; false when edit declines or the file cannot be locked or written.
    bool change(const std::function<bool(QJsonObject &all)> &edit);

    QString m_path;
};
