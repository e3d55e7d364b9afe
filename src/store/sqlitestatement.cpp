// SPDX-License-Identifier: GPL-3.0-or-later
#include "sqlitestatement.h"

#include "base/logging.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3 *db, const char *sql)
{
    if (!db) {
        qCWarning(lcStore) << "SQLite: no connection for" << sql;
        return;
    }
    if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
        qCWarning(lcStore) << "SQLite:" << sqlite3_errmsg(db) << "preparing" << sql;
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

SqliteStatement::SqliteStatement(sqlite3_stmt *kept, bool *inUse)
    : m_statement(kept), m_inUse(inUse)
{
    *m_inUse = true;
}

SqliteStatement::~SqliteStatement()
{
    if (!m_inUse) {
        sqlite3_finalize(m_statement);
        return;
    }
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    *m_inUse = false;
}

SqliteStatement &SqliteStatement::bind(int position, const QByteArray &utf8)
{
    if (m_statement && sqlite3_bind_text(m_statement, position, utf8.constData(), int(utf8.size()),
                                         SQLITE_TRANSIENT) != SQLITE_OK) {
        m_failed = true;
        qCWarning(lcStore) << "SQLite: cannot bind" << position << "of" << sqlite3_sql(m_statement);
    }
    return *this;
}

SqliteStatement &SqliteStatement::bind(int position, const QString &text)
{
    // A null QString is bound as an empty text, never as NULL.
    return bind(position, text.isNull() ? QByteArray("") : text.toUtf8());
}

SqliteStatement &SqliteStatement::bind(int position, int value)
{
    if (m_statement && sqlite3_bind_int(m_statement, position, value) != SQLITE_OK)
        m_failed = true;
    return *this;
}

int SqliteStatement::step()
{
    const int result = sqlite3_step(m_statement);
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
        m_failed = true;
        qCWarning(lcStore) << "SQLite:" << sqlite3_errmsg(sqlite3_db_handle(m_statement))
                           << "running" << sqlite3_sql(m_statement);
    }
    return result;
}

bool SqliteStatement::nextRow()
{
    return m_statement && !m_failed && step() == SQLITE_ROW;
}

bool SqliteStatement::execute()
{
    if (!m_statement || m_failed)
        return false;
    const int result = step();
    return result == SQLITE_DONE || result == SQLITE_ROW;
}

void SqliteStatement::reset()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    m_failed = false;
}

int SqliteStatement::columnIndex(const char *name) const
{
    if (!m_statement)
        return -1;
    for (int i = 0; i < sqlite3_column_count(m_statement); ++i)
        if (qstricmp(sqlite3_column_name(m_statement, i), name) == 0)
            return i;
    return -1;
}

std::optional<QByteArray> SqliteStatement::columnBytes(int column) const
{
    if (!m_statement || column < 0 || sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArray(text, sqlite3_column_bytes(m_statement, column));
}

std::optional<QString> SqliteStatement::columnText(int column) const
{
    const std::optional<QByteArray> bytes = columnBytes(column);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

qint64 SqliteStatement::columnInt64(int column) const
{
    return m_statement && column >= 0 ? sqlite3_column_int64(m_statement, column) : 0;
}
