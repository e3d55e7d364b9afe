#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;
class SqliteStatement;

// The store of the home: transmitters, controllers and scenarios, one record
// as JSON text per row of an SQLite file in the documents directory. Every
// operation opens the file and closes it before it returns; an operation
// called by another one (the read-all that prunes, the wipe that reads) runs
// on its caller's connection, which only the outermost operation closes.
// Failures give neutral results: false, "", an empty list.
class Database {
public:
    static Database *instance();
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

    // Transmitters.
    bool insertSuperBoxWithInfo(const QVariantMap &record);
    void deleteSuperBoxWithMainID(const QString &mainID);
    bool updateSuperBoxWithMainID(const QString &mainID, const QVariantMap &record);
    bool updateSuperBoxWithAddress(const std::optional<QString> &address, const QString &mainID,
                                   const std::optional<QString> &command);
    QList<QVariantMap> readAllSuperBoxInfo(const std::optional<QVariantMap> &filter = {});

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

    // Whole store.
    bool connDatabase();
    void creatDatabase();
    void deleteAllTableFromDatabase();
    // The wipe without the picture folder: scenarios and controllers dropped,
    // every transmitter but the first removed.
    void dropHomeTables();
    // An empty home in place (the file stays, for a program that holds it
    // open): every table emptied and the two built-in scenarios, in one
    // transaction. False when the store could not be emptied.
    bool wipeHome();
    // Removes the pictures of the picture folder that no scenario refers to
    // any more (nothing when the scenarios cannot be read).
    void removeUnreferencedPictures();
    static constexpr int kPictureGraceSeconds = 300;
    // Runs the work as one transaction: it stays only when the work answers
    // true and the commit succeeds; otherwise the store is as before.
    bool runInTransaction(const std::function<bool()> &work);
    // True only while an operation (or a Session) runs.
    bool isConnectionOpen() const { return m_db != nullptr; }

    // Holds the file open across several operations (they nest inside it),
    // for work that must see one connection from start to end.
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
    Database() = default;
    bool openOuter();
    void closeOuter();

    bool insertRecord(const char *sql, const QVariantMap &record, const QString &secondColumn,
                      const QString &thirdColumn);
    bool insertJson(const char *sql, const QByteArray &json, const QString &secondColumn,
                    const QString &thirdColumn);
    void deleteWhere(const char *sql, const QString &mainID);
    QString selectLastText(const char *sql, const QString &mainID);
    bool updateRecord(const char *sql, const QVariantMap &record, const QString &mainID);
    QList<QVariantMap> readAllRecords(const char *allSql, const char *byTypeSql,
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
    // By the address of the SQL text: each is a literal of this class.
    std::unordered_map<const char *, KeptStatement> m_kept;
};
