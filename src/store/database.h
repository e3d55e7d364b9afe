// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;
class SqliteStatement;

// The store of the home: transmitters, controllers and scenarios, one record
// as JSON text per row of an SQLite file in the documents directory. One
// connection is opened by the first operation and kept for the program's
// life; it is opened afresh when the file at the store's path is no longer
// the one it holds (removed, replaced, or another documents directory).
// Failures give neutral results (false, "", an empty list) where callers
// rely on them; the *IfReadable reads tell a failure from an empty store.
class Database final : public OwnedInstance<Database> {
public:
    using Records = QList<QVariantMap>;

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    Database() = default;
    ~Database();
    static QString databasePath();
    static inline const QString kFileName = QStringLiteral("ArdentiaDatas.sqlite3");
    static constexpr int kBusyTimeoutMilliseconds = 2000;

    // Controllers.
    bool insertMainDeviceWithInfo(const QVariantMap &record);
    // The same for a record already in its JSON text.
    bool insertMainDeviceWithJSON(const QByteArray &json, const QString &type, const QString &id);
    void deleteMainDeviceWithMainID(const QString &mainID);
    QString selectMainDeviceWithMainID(const QString &mainID);
    // The same, parsed; nothing when there is none or it cannot be read.
    std::optional<QVariantMap> deviceRecordWithMainID(const QString &mainID);
    bool updateMainDeviceWithMainID(const QString &mainID, const QVariantMap &record);
    // Sets one field of the stored record, read afresh, so that nothing else
    // of a copy a screen holds is written back; false when there is no such
    // record or it could not be written.
    bool updateMainDeviceWithMainID(const QString &mainID, const QString &key,
                                    const QVariant &value);
    QList<QVariantMap> readAllMainDeviceInfo(const std::optional<QVariantMap> &filter = {});
    // Nothing when the store could not be read: then nothing is known to be absent.
    std::optional<Records> mainDevicesIfReadable(const std::optional<QVariantMap> &filter = {});

    // Transmitters.
    bool insertSuperBoxWithInfo(const QVariantMap &record);
    void deleteSuperBoxWithMainID(const QString &mainID);
    bool updateSuperBoxWithMainID(const QString &mainID, const QVariantMap &record);
    bool updateSuperBoxWithAddress(const std::optional<QString> &address, const QString &mainID,
                                   const std::optional<QString> &command);
    QList<QVariantMap> readAllSuperBoxInfo(const std::optional<QVariantMap> &filter = {});
    std::optional<Records> superBoxesIfReadable(const std::optional<QVariantMap> &filter = {});

    // Scenarios.
    bool insertScenarioWithInfo(const QVariantMap &record);
    // The same for a record already in its JSON text (large imported scenarios).
    bool insertScenarioWithJSON(const QByteArray &json, const QString &mainID);
    void deleteScenarioWithMainID(const QString &mainID);
    QString selectScenarioWithMainID(const QString &mainID);
    // Addressed by the row ID (the record's "id"), not by its number.
    bool updateScenarioWithMainID(const QString &rowID, const QVariantMap &record);
    bool updateScenarioControlTimesWithMainID(const QString &mainID);
    // The record selectScenarioWithMainID gives, parsed, with its row ID as
    // "id", so that it can be written back to its own row.
    std::optional<QVariantMap> scenarioRecordWithMainID(const QString &mainID);
    QList<QVariantMap> readAllScenarioInfo(const std::optional<QVariantMap> &filter = {});
    std::optional<Records> scenariosIfReadable(const std::optional<QVariantMap> &filter = {});

    // Whole store.
    struct HomeRecords {
        Records transmitters;
        Records devices;
        Records scenarios;
    };
    // The whole home, or nothing when any part of it could not be read.
    std::optional<HomeRecords> homeIfReadable();
    bool connDatabase();
    // Creates the tables a store lacks (all of a new one, those added since
    // an older one was made); what is stored stays.
    void creatDatabase();
    void deleteAllTableFromDatabase();
    // The wipe without the picture folder: scenarios and controllers dropped,
    // every transmitter but the first removed; the schedules stay, to be
    // switched off when their channel or scenario does not come back.
    void dropHomeTables();
    // An empty home in place (the file stays, for a program that holds it
    // open): every table emptied (schedules and location too) and the two
    // built-in scenarios, in one transaction. False when the store could not be emptied.
    bool wipeHome();
    // Removes the pictures of the picture folder that no scenario refers to
    // any more (nothing when the scenarios cannot be read).
    void removeUnreferencedPictures();
    static constexpr int kPictureGraceSeconds = 300;
    // Runs the work as one transaction: it stays only when the work answers
    // true and the commit succeeds; otherwise the store is as before.
    bool runInTransaction(const std::function<bool()> &work);
    // True once an operation has opened the store, until close().
    bool isConnectionOpen() const { return m_db != nullptr; }
    // Closes the kept connection when no operation runs (at the program's
    // end); the next operation opens it again.
    void close();
    // Closes the connection and removes the store's file with its journal
    // files: a start from nothing (tests, benchmarks). Removing the file
    // alone would leave its write-ahead log to be replayed into the next.
    void removeFiles();

    // Marks work that must see one connection from start to end: the
    // connection is not exchanged for a new one while a Session lives.
    class Session {
    public:
        explicit Session(Database *database = Database::instance());
        ~Session();
        Session(const Session &) = delete;
        Session &operator=(const Session &) = delete;
        bool isOpen() const { return m_open; }
        sqlite3 *handle() const;

    private:
        Database *m_database;
        bool m_open;
    };

private:
    bool openOuter();
    void closeOuter();
    bool openConnection();
    void closeConnection();
    // The file at the store's path is still the one the connection holds.
    bool holdsTheFileAtItsPath() const;

    bool insertRecord(const char *sql, const QVariantMap &record, const QString &secondColumn,
                      const QString &thirdColumn);
    bool insertJson(const char *sql, const QByteArray &json, const QString &secondColumn,
                    const QString &thirdColumn);
    void deleteWhere(const char *sql, const QString &mainID);
    QString selectLastText(const char *sql, const QString &mainID);
    bool updateRecord(const char *sql, const QVariantMap &record, const QString &mainID);
    std::optional<Records> readAllRecords(const char *allSql, const char *byTypeSql,
                                          const char *jsonColumn,
                                          const std::optional<QVariantMap> &filter);

    // IDs for which selectMainDeviceWithMainID gives a record; nothing when
    // the table cannot be read.
    std::optional<QSet<QString>> storedDeviceIds();

    // The statement for this SQL text on the open connection: prepared once
    // per connection and kept until it closes (a statement already in use,
    // by an outer loop over its rows, gets a fresh one instead).
    std::unique_ptr<SqliteStatement> statement(const char *sql);
    void finalizeKeptStatements();

    struct KeptStatement {
        sqlite3_stmt *statement = nullptr;
        bool inUse = false;
    };
    sqlite3 *m_db = nullptr;
    int m_depth = 0;
    QString m_openedPath;
    // The opened file's identity (device, inode).
    std::pair<quint64, quint64> m_openedFile{0, 0};
    // By the address of the SQL text: each is a literal of this class.
    std::unordered_map<const char *, KeptStatement> m_kept;
};
