// SPDX-License-Identifier: GPL-3.0-or-later
#include "database.h"

#include "base/documents.h"
#include "base/logging.h"
#include "base/textnumber.h"
#include "jsoncodec.h"
#include "recordfactory.h"
#include "recordkeys.h"
#include "sqlitestatement.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {
const char *const kCreateStatements[] = {
    "CREATE TABLE IF NOT EXISTS MainDevice (ID INTEGER PRIMARY KEY, MAININFO TEXT, TYPE TEXT, "
    "MAINID TEXT);",
    "CREATE TABLE IF NOT EXISTS SuperBox (ID INTEGER PRIMARY KEY, INFO TEXT, TYPE TEXT, MAINID "
    "TEXT);",
    "CREATE TABLE IF NOT EXISTS Scenario (ID INTEGER PRIMARY KEY, INFO TEXT, MAINID TEXT, "
    "CONTROLTIMES TEXT);",
    // Added later: a store made before gains them when it is next opened
    // this way, and a program that knows only the tables above reads on.
    "CREATE TABLE IF NOT EXISTS Schedule (ID INTEGER PRIMARY KEY, INFO TEXT);",
    "CREATE TABLE IF NOT EXISTS HomeLocation (ID INTEGER PRIMARY KEY CHECK (ID = 1), INFO TEXT);",
};

struct ScenarioRow {
    QString rowID;
    QByteArray info;
    QString controlTimes;
};
} // namespace

Database::~Database()
{
    close();
}

QString Database::databasePath()
{
    return Documents::filePath(kFileName);
}

Database::Session::Session(Database *database) : m_database(database)
{
    m_open = m_database->openOuter();
}

Database::Session::~Session()
{
    if (m_open)
        m_database->closeOuter();
}

sqlite3 *Database::Session::handle() const
{
    return m_open ? m_database->m_db : nullptr;
}

namespace {
std::optional<std::pair<quint64, quint64>> regularFileIdentity(const QByteArray &path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return std::pair<quint64, quint64>(info.st_dev, info.st_ino);
}
} // namespace

bool Database::openOuter()
{
    if (m_depth == 0) {
        if (m_db && !holdsTheFileAtItsPath())
            closeConnection();
        if (!m_db && !openConnection())
            return false;
    }
    ++m_depth;
    return true;
}

void Database::closeOuter()
{
    --m_depth;
}

bool Database::openConnection()
{
    const QString path = databasePath();
    const QByteArray nativePath = path.toUtf8();
    if (sqlite3_open_v2(nativePath.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        qCWarning(lcStore) << "SQLite: cannot open" << path << ":" << sqlite3_errmsg(m_db);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    // The app, ardentia-ctl and the bridge share the file: a lock held by
    // another is waited for, and readers never block the writer.
    sqlite3_busy_timeout(m_db, kBusyTimeoutMilliseconds);
    SqliteStatement(m_db, "PRAGMA journal_mode=WAL;").execute();
    SqliteStatement(m_db, "PRAGMA synchronous=NORMAL;").execute();
    m_openedPath = path;
    m_openedFile = regularFileIdentity(nativePath).value_or(std::pair<quint64, quint64>(0, 0));
    return true;
}

void Database::closeConnection()
{
    finalizeKeptStatements();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_openedPath.clear();
}

bool Database::holdsTheFileAtItsPath() const
{
    const QString path = databasePath();
    return path == m_openedPath && regularFileIdentity(path.toUtf8()) == m_openedFile;
}

void Database::close()
{
    if (m_depth == 0 && m_db)
        closeConnection();
}

void Database::removeFiles()
{
    close();
    const QString path = databasePath();
    for (const QString &file :
         QStringList{path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")})
        QFile::remove(file);
}

std::unique_ptr<SqliteStatement> Database::statement(const char *sql)
{
    if (!m_db)
        return std::make_unique<SqliteStatement>(nullptr, sql);
    KeptStatement &kept = m_kept[sql];
    if (kept.inUse)
        return std::make_unique<SqliteStatement>(m_db, sql);
    if (!kept.statement && sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT,
                                              &kept.statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(kept.statement);
        m_kept.erase(sql);
        return std::make_unique<SqliteStatement>(m_db, sql); // fails as it would have
    }
    return std::make_unique<SqliteStatement>(kept.statement, &kept.inUse);
}

void Database::finalizeKeptStatements()
{
    for (auto &[sql, kept] : m_kept)
        sqlite3_finalize(kept.statement);
    m_kept.clear();
}

bool Database::connDatabase()
{
    // Opens and closes once: a check that the file can be opened.
    return Session(this).isOpen();
}

void Database::creatDatabase()
{
    Session session(this);
    if (!session.isOpen())
        return;
    for (const char *sql : kCreateStatements)
        SqliteStatement(session.handle(), sql).execute();
}

bool Database::insertRecord(const char *sql, const QVariantMap &record, const QString &secondColumn,
                            const QString &thirdColumn)
{
    const std::optional<QByteArray> json = JsonCodec::JSONBytes(record);
    return json && insertJson(sql, *json, secondColumn, thirdColumn);
}

bool Database::insertJson(const char *sql, const QByteArray &json, const QString &secondColumn,
                          const QString &thirdColumn)
{
    Session session(this);
    return statement(sql)->bind(1, json).bind(2, secondColumn).bind(3, thirdColumn).execute();
}

void Database::deleteWhere(const char *sql, const QString &mainID)
{
    Session session(this);
    statement(sql)->bind(1, mainID).execute();
}

QString Database::selectLastText(const char *sql, const QString &mainID)
{
    Session session(this);
    const std::unique_ptr<SqliteStatement> select = statement(sql);
    select->bind(1, mainID);
    QString last;
    while (select->nextRow()) {
        const std::optional<QString> text = select->columnText(0);
        if (text && !text->isEmpty())
            last = *text;
    }
    return last.isNull() ? QStringLiteral("") : last;
}

bool Database::updateRecord(const char *sql, const QVariantMap &record, const QString &mainID)
{
    const std::optional<QByteArray> json = JsonCodec::JSONBytes(record);
    if (!json)
        return false;
    Session session(this);
    return statement(sql)->bind(1, *json).bind(2, mainID).execute();
}

std::optional<Database::Records> Database::readAllRecords(const char *allSql, const char *byTypeSql,
                                                          const char *jsonColumn,
                                                          const std::optional<QVariantMap> &filter)
{
    const bool byType = filter && filter->contains(Key::type);
    Session session(this);
    SqliteStatement statement(session.handle(), byType ? byTypeSql : allSql);
    if (byType)
        statement.bind(1, filter->value(Key::type).toString());
    const int column = statement.columnIndex(jsonColumn);
    QList<QVariantMap> records;
    while (statement.nextRow()) {
        const std::optional<QByteArray> json = statement.columnBytes(column);
        if (!json)
            continue;
        if (std::optional<QVariantMap> record = JsonCodec::recordFromJSONString(*json))
            records.append(std::move(*record));
    }
    if (!statement.hasSucceeded())
        return std::nullopt;
    return records;
}

// Controllers.

bool Database::insertMainDeviceWithInfo(const QVariantMap &record)
{
    return insertRecord(
        "INSERT OR REPLACE INTO MainDevice (MAININFO, TYPE, MAINID) VALUES (?1, ?2, ?3);", record,
        record.value(Key::type).toString(), record.value(Key::id).toString());
}

bool Database::insertMainDeviceWithJSON(const QByteArray &json, const QString &type,
                                        const QString &id)
{
    return insertJson(
        "INSERT OR REPLACE INTO MainDevice (MAININFO, TYPE, MAINID) VALUES (?1, ?2, ?3);", json,
        type, id);
}

void Database::deleteMainDeviceWithMainID(const QString &mainID)
{
    deleteWhere("DELETE FROM MainDevice WHERE MAINID=?1;", mainID);
}

QString Database::selectMainDeviceWithMainID(const QString &mainID)
{
    return selectLastText("SELECT MAININFO FROM MainDevice WHERE MAINID=?1;", mainID);
}

bool Database::updateMainDeviceWithMainID(const QString &mainID, const QVariantMap &record)
{
    return updateRecord("UPDATE MainDevice SET MAININFO=?1 WHERE MAINID=?2;", record, mainID);
}

QList<QVariantMap> Database::readAllMainDeviceInfo(const std::optional<QVariantMap> &filter)
{
    return mainDevicesIfReadable(filter).value_or(Records());
}

std::optional<Database::Records>
Database::mainDevicesIfReadable(const std::optional<QVariantMap> &filter)
{
    return readAllRecords("SELECT * FROM MainDevice;", "SELECT * FROM MainDevice WHERE TYPE=?1;",
                          "MAININFO", filter);
}

// Transmitters.

bool Database::insertSuperBoxWithInfo(const QVariantMap &record)
{
    return insertRecord("INSERT OR REPLACE INTO SuperBox (INFO, TYPE, MAINID) VALUES (?1, ?2, ?3);",
                        record, record.value(Key::type).toString(),
                        record.value(Key::id).toString());
}

void Database::deleteSuperBoxWithMainID(const QString &mainID)
{
    deleteWhere("DELETE FROM SuperBox WHERE MAINID=?1;", mainID);
}

bool Database::updateSuperBoxWithMainID(const QString &mainID, const QVariantMap &record)
{
    return updateRecord("UPDATE SuperBox SET INFO=?1 WHERE MAINID=?2;", record, mainID);
}

bool Database::updateSuperBoxWithAddress(const std::optional<QString> &address,
                                         const QString &mainID,
                                         const std::optional<QString> &command)
{
    Session session(this);
    QList<QByteArray> stored;
    {
        SqliteStatement select(session.handle(), "SELECT INFO FROM SuperBox WHERE MAINID=?1;");
        select.bind(1, mainID);
        while (select.nextRow())
            if (const std::optional<QByteArray> info = select.columnBytes(0);
                info && !info->isEmpty())
                stored.append(*info);
    }
    bool updated = false;
    for (const QByteArray &info : stored) {
        std::optional<QVariantMap> record = JsonCodec::recordFromJSONString(info);
        if (!record)
            continue; // left as it is
        if (address)
            record->insert(Key::address, *address);
        if (command)
            record->insert(Key::command, *command);
        updated = updateSuperBoxWithMainID(mainID, *record) || updated;
    }
    return updated;
}

QList<QVariantMap> Database::readAllSuperBoxInfo(const std::optional<QVariantMap> &filter)
{
    return superBoxesIfReadable(filter).value_or(Records());
}

std::optional<Database::Records>
Database::superBoxesIfReadable(const std::optional<QVariantMap> &filter)
{
    return readAllRecords("SELECT * FROM SuperBox;", "SELECT * FROM SuperBox WHERE TYPE=?1;",
                          "INFO", filter);
}

// Scenarios.

bool Database::insertScenarioWithInfo(const QVariantMap &record)
{
    const std::optional<QByteArray> json = JsonCodec::JSONBytes(record);
    return json && insertScenarioWithJSON(*json, record.value(Key::mainID).toString());
}

bool Database::insertScenarioWithJSON(const QByteArray &json, const QString &mainID)
{
    return insertJson(
        "INSERT OR REPLACE INTO Scenario (INFO, MAINID, CONTROLTIMES) VALUES (?1, ?2, ?3);", json,
        mainID, QStringLiteral("0"));
}

void Database::deleteScenarioWithMainID(const QString &mainID)
{
    deleteWhere("DELETE FROM Scenario WHERE MAINID=?1;", mainID);
    removeUnreferencedPictures();
}

QString Database::selectScenarioWithMainID(const QString &mainID)
{
    return selectLastText("SELECT INFO FROM Scenario WHERE MAINID=?1;", mainID);
}

bool Database::updateScenarioWithMainID(const QString &rowID, const QVariantMap &record)
{
    const std::optional<QByteArray> json = JsonCodec::JSONBytes(record);
    if (!json)
        return false;
    Session session(this);
    const bool updated =
        SqliteStatement(session.handle(), "UPDATE Scenario SET INFO=?1 WHERE ID=?2;")
            .bind(1, *json)
            .bind(2, TextNumber::integerValue(rowID))
            .execute();
    if (updated) // its picture may have been replaced
        removeUnreferencedPictures();
    return updated;
}

void Database::removeUnreferencedPictures()
{
    Session session(this);
    // Inside a transaction the commit is still to come: the sweep waits for a later one.
    if (!session.isOpen() || sqlite3_get_autocommit(m_db) == 0)
        return;
    const QFileInfoList files =
        QDir(Documents::pictureFolderPath()).entryInfoList(QDir::Files | QDir::Hidden);
    if (files.isEmpty())
        return;
    SqliteStatement select(m_db, "SELECT json_extract(INFO, '$.imagePath') FROM Scenario;");
    QSet<QString> referenced;
    while (select.nextRow())
        if (const std::optional<QString> path = select.columnText(0))
            referenced.insert(QFileInfo(*path).absoluteFilePath());
    if (!select.hasSucceeded())
        return; // a read that fails says nothing about what is in use
    // A picture saved in the last minutes may be on its way to a record
    // (a scenario being created is stored when the master has taken it).
    const QDateTime recent = QDateTime::currentDateTime().addSecs(-kPictureGraceSeconds);
    for (const QFileInfo &file : files)
        if (!referenced.contains(file.absoluteFilePath()) && file.lastModified() < recent)
            QFile::remove(file.absoluteFilePath());
}

std::optional<QVariantMap> Database::deviceRecordWithMainID(const QString &mainID)
{
    return JsonCodec::recordFromJSONString(selectMainDeviceWithMainID(mainID));
}

bool Database::updateMainDeviceWithMainID(const QString &mainID, const QString &key,
                                          const QVariant &value)
{
    std::optional<QVariantMap> record = deviceRecordWithMainID(mainID);
    if (!record)
        return false;
    record->insert(key, value);
    return updateMainDeviceWithMainID(mainID, *record);
}

std::optional<QVariantMap> Database::scenarioRecordWithMainID(const QString &mainID)
{
    Session session(this);
    SqliteStatement statement(session.handle(), "SELECT ID, INFO FROM Scenario WHERE MAINID=?1;");
    statement.bind(1, mainID);
    std::optional<QVariantMap> last;
    while (statement.nextRow()) {
        const std::optional<QByteArray> info = statement.columnBytes(1);
        if (!info || info->isEmpty())
            continue;
        last = JsonCodec::recordFromJSONString(*info);
        if (last)
            last->insert(Key::id, QString::number(statement.columnInt64(0)));
    }
    return last;
}

bool Database::updateScenarioControlTimesWithMainID(const QString &mainID)
{
    Session session(this);
    std::optional<int> next;
    {
        SqliteStatement select(session.handle(),
                               "SELECT CONTROLTIMES FROM Scenario WHERE MAINID=?1;");
        select.bind(1, mainID);
        while (select.nextRow()) {
            // An empty counter (never written by this system) counts as 0.
            const QString counter = select.columnText(0).value_or(QString());
            if (!counter.isEmpty() || !next)
                next = TextNumber::integerValue(counter) + 1;
        }
    }
    if (!next)
        return false;
    return SqliteStatement(session.handle(), "UPDATE Scenario SET CONTROLTIMES=?1 WHERE MAINID=?2;")
        .bind(1, QString::number(*next))
        .bind(2, TextNumber::integerValue(mainID))
        .execute();
}

QList<QVariantMap> Database::readAllScenarioInfo(const std::optional<QVariantMap> &filter)
{
    return scenariosIfReadable(filter).value_or(Records());
}

std::optional<Database::Records>
Database::scenariosIfReadable(const std::optional<QVariantMap> &filter)
{
    const bool byNumber = filter && filter->contains(Key::type);
    Session session(this);
    // Rows are read whole first: pruning below deletes and rewrites rows.
    QList<ScenarioRow> rows;
    {
        SqliteStatement statement(session.handle(), byNumber
                                                        ? "SELECT * FROM Scenario WHERE MAINID=?1;"
                                                        : "SELECT * FROM Scenario;");
        if (byNumber)
            statement.bind(1, filter->value(Key::mainID).toString());
        const int idColumn = statement.columnIndex("ID");
        const int infoColumn = statement.columnIndex("INFO");
        const int timesColumn = statement.columnIndex("CONTROLTIMES");
        while (statement.nextRow()) {
            const std::optional<QString> rowID = statement.columnText(idColumn);
            const std::optional<QByteArray> info = statement.columnBytes(infoColumn);
            if (rowID && info)
                rows.append({*rowID, *info, statement.columnText(timesColumn).value_or(QString())});
        }
        if (!statement.hasSucceeded())
            return std::nullopt;
    }

    // Which devices are stored, read once for all members: the same answer as
    // a non-empty selectMainDeviceWithMainID for each, without a scan apiece.
    // A read that fails says nothing about the members: nothing is pruned.
    std::optional<std::optional<QSet<QString>>> storedDevices;
    QList<QVariantMap> scenarios;
    for (const ScenarioRow &row : rows) {
        std::optional<QVariantMap> scenario = JsonCodec::recordFromJSONString(row.info);
        if (!scenario)
            continue;
        scenario->insert(Key::controlTimes, row.controlTimes);
        if (!storedDevices && RecordFactory::isUserScenario(*scenario))
            storedDevices = storedDeviceIds();
        if (RecordFactory::isUserScenario(*scenario) && *storedDevices) {
            const QSet<QString> &stored = **storedDevices;
            const QVariantList members = RecordFactory::sceneDevices(*scenario);
            QVariantList kept;
            for (const QVariant &member : members)
                if (stored.contains(member.toMap().value(Key::id).toString()))
                    kept.append(member);
            if (kept.isEmpty()) {
                deleteScenarioWithMainID(scenario->value(Key::mainID).toString());
                continue;
            }
            if (kept.size() != members.size()) {
                scenario->insert(Key::sceneArray, kept);
                updateScenarioWithMainID(row.rowID, *scenario);
            }
        }
        scenario->insert(Key::id, row.rowID);
        scenarios.append(std::move(*scenario));
    }
    return scenarios;
}

std::optional<QSet<QString>> Database::storedDeviceIds()
{
    Session session(this);
    SqliteStatement statement(session.handle(),
                              "SELECT DISTINCT MAINID FROM MainDevice WHERE MAININFO <> '';");
    QSet<QString> ids;
    while (statement.nextRow())
        if (const std::optional<QString> id = statement.columnText(0))
            ids.insert(*id);
    if (!statement.hasSucceeded())
        return std::nullopt;
    return ids;
}

std::optional<Database::HomeRecords> Database::homeIfReadable()
{
    const Session session(this);
    std::optional<Records> transmitters = superBoxesIfReadable();
    std::optional<Records> devices = transmitters ? mainDevicesIfReadable() : std::nullopt;
    std::optional<Records> scenarios = devices ? scenariosIfReadable() : std::nullopt;
    if (!scenarios)
        return std::nullopt;
    return HomeRecords{std::move(*transmitters), std::move(*devices), std::move(*scenarios)};
}

bool Database::wipeHome()
{
    return runInTransaction([this] {
        Session session(this);
        for (const char *sql :
             {"DROP TABLE IF EXISTS Scenario;", "DROP TABLE IF EXISTS MainDevice;",
              "DROP TABLE IF EXISTS SuperBox;", "DROP TABLE IF EXISTS Schedule;",
              "DROP TABLE IF EXISTS HomeLocation;"})
            if (!SqliteStatement(session.handle(), sql).execute())
                return false;
        for (const char *sql : kCreateStatements)
            if (!SqliteStatement(session.handle(), sql).execute())
                return false;
        return insertScenarioWithInfo(RecordFactory::allOnScenario()) &&
               insertScenarioWithInfo(RecordFactory::allOffScenario());
    });
}

void Database::deleteAllTableFromDatabase()
{
    Session session(this);
    if (!session.isOpen())
        return;
    Documents::removePictureFolder();
    Documents::ensurePictureFolder();
    dropHomeTables();
}

void Database::dropHomeTables()
{
    Session session(this);
    if (!session.isOpen())
        return;
    SqliteStatement(session.handle(), "DROP TABLE Scenario").execute();
    SqliteStatement(session.handle(), "DROP TABLE MainDevice").execute();
    const QList<QVariantMap> transmitters = readAllSuperBoxInfo();
    for (qsizetype i = 1; i < transmitters.size(); ++i)
        deleteSuperBoxWithMainID(transmitters.at(i).value(Key::id).toString());
}

bool Database::runInTransaction(const std::function<bool()> &work)
{
    Session session(this);
    if (!session.isOpen() || !SqliteStatement(session.handle(), "BEGIN IMMEDIATE;").execute())
        return false;
    if (work() && SqliteStatement(session.handle(), "COMMIT;").execute())
        return true;
    SqliteStatement(session.handle(), "ROLLBACK;").execute();
    return false;
}
