// SPDX-License-Identifier: GPL-3.0-or-later
#include "storesnapshot.h"

#include "store/recordkeys.h"
#include "store/sqlitestatement.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <sqlite3.h>

namespace {
constexpr int kBusyTimeoutMilliseconds = 2000;
constexpr int kPagesPerStep = 256;

// One connection, closed when it goes out of scope.
class Connection {
public:
    Connection(const QString &path, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) !=
            SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        } else {
            sqlite3_busy_timeout(m_db, kBusyTimeoutMilliseconds);
        }
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};
} // namespace

std::optional<QString> StoreSnapshot::copy(const QString &from, const QString &to)
{
    if (!QFile::exists(from))
        return QStringLiteral("there is no store at %1").arg(from);
    const Connection source(from, SQLITE_OPEN_READONLY);
    const Connection target(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!source.handle() || !target.handle())
        return QStringLiteral("cannot open the store %1").arg(from);
    sqlite3_backup *backup = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
    if (!backup)
        return QStringLiteral("cannot copy the store: %1")
            .arg(QString::fromUtf8(sqlite3_errmsg(target.handle())));
    // A few pages at a time: a writer that comes between makes the copy
    // start again, so it always ends as one consistent state of the store.
    int result = SQLITE_OK;
    do {
        result = sqlite3_backup_step(backup, kPagesPerStep);
        if (result == SQLITE_BUSY || result == SQLITE_LOCKED)
            sqlite3_sleep(10);
    } while (result == SQLITE_OK || result == SQLITE_BUSY || result == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (result != SQLITE_DONE)
        return QStringLiteral("cannot copy the store: %1")
            .arg(QString::fromUtf8(sqlite3_errstr(result)));
    return std::nullopt;
}

QString StoreSnapshot::masterIdOf(const QString &path)
{
    const Connection store(path, SQLITE_OPEN_READONLY);
    if (!store.handle())
        return {};
    SqliteStatement select(store.handle(),
                           "SELECT MAINID FROM SuperBox WHERE json_extract(INFO, '$.imageName') = "
                           "?1 LIMIT 1;");
    select.bind(1, Value::master);
    return select.nextRow() ? select.columnText(0).value_or(QString()) : QString();
}

bool StoreSnapshot::isHome(const QString &path)
{
    const Connection store(path, SQLITE_OPEN_READONLY);
    if (!store.handle())
        return false;
    SqliteStatement check(store.handle(), "PRAGMA integrity_check;");
    if (!check.nextRow() || check.columnText(0) != QStringLiteral("ok"))
        return false;
    for (const char *sql : {"SELECT ID, MAININFO, TYPE, MAINID FROM MainDevice;",
                            "SELECT ID, INFO, TYPE, MAINID FROM SuperBox;",
                            "SELECT ID, INFO, MAINID, CONTROLTIMES FROM Scenario;"}) {
        SqliteStatement rows(store.handle(), sql);
        while (rows.nextRow()) {
        }
        if (!rows.hasSucceeded())
            return false;
    }
    return true;
}

bool StoreSnapshot::movePictures(const QString &path, const QString &folder)
{
    const Connection store(path, SQLITE_OPEN_READWRITE);
    if (!store.handle())
        return false;
    QList<std::pair<qint64, QString>> moved;
    SqliteStatement select(store.handle(),
                           "SELECT ID, json_extract(INFO, '$.imagePath') FROM Scenario;");
    while (select.nextRow())
        if (const std::optional<QString> picture = select.columnText(1);
            picture && !picture->isEmpty())
            moved.append({select.columnInt64(0),
                          folder + QLatin1Char('/') + QFileInfo(*picture).fileName()});
    if (!select.hasSucceeded())
        return false;
    for (const auto &[id, picture] : moved) {
        SqliteStatement update(store.handle(),
                               "UPDATE Scenario SET INFO = json_set(INFO, '$.imagePath', ?1) "
                               "WHERE ID = ?2;");
        if (!update.bind(1, picture).bind(2, int(id)).execute())
            return false;
    }
    return true;
}
