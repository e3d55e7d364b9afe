// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/database.h"

#include <sqlite3.h>

// Runs SQL on the store file through a connection of its own, as another
// program (or damage from outside) would.
inline bool rawSql(const char *sql)
{
    sqlite3 *db = nullptr;
    const bool opened =
        sqlite3_open(Database::databasePath().toUtf8().constData(), &db) == SQLITE_OK;
    const bool ran = opened && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ran;
}
