// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement with its values bound as parameters, finalized when
// it goes out of scope. A statement that failed to prepare fails every step.
class SqliteStatement {
public:
    SqliteStatement(sqlite3 *db, const char *sql);
    // Borrows a statement prepared once and kept by its owner: it is reset,
    // not finalized, when this goes out of scope, and inUse is cleared.
    SqliteStatement(sqlite3_stmt *kept, bool *inUse);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_statement != nullptr; }
    SqliteStatement &bind(int position, const QString &text);
    SqliteStatement &bind(int position, const QByteArray &utf8);
    SqliteStatement &bind(int position, int value);

    // True while a row is available.
    bool nextRow();
    // False once preparing, binding or a step has failed: rows read until
    // then are not the whole answer.
    bool hasSucceeded() const { return m_statement && !m_failed; }
    // Runs a statement that returns no rows; true when it succeeded.
    bool execute();
    // Ready to run again with new values.
    void reset();

    int columnIndex(const char *name) const;
    // The column's text, or nullopt for NULL.
    std::optional<QByteArray> columnBytes(int column) const;
    std::optional<QString> columnText(int column) const;
    qint64 columnInt64(int column) const;

private:
    // One step; a failure is logged and ends the statement's work.
    int step();

    sqlite3_stmt *m_statement = nullptr;
    bool *m_inUse = nullptr; // set for a borrowed statement
    bool m_failed = false;
};
