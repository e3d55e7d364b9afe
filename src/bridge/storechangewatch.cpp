// SPDX-License-Identifier: GPL-3.0-or-later
#include "storechangewatch.h"

#include "store/database.h"
#include "store/sqlitestatement.h"

StoreChangeWatch::StoreChangeWatch(Database *store, QObject *parent)
    : QObject(parent), m_store(store), m_seen(dataVersion())
{
    connect(&m_timer, &QTimer::timeout, this, &StoreChangeWatch::check);
}

void StoreChangeWatch::start(int seconds)
{
    m_seen = dataVersion();
    m_timer.start(seconds * 1000);
}

bool StoreChangeWatch::check()
{
    const std::optional<qint64> version = dataVersion();
    // A connection opened again (the file replaced) starts its own count: a change too.
    if (!version || version == m_seen)
        return false;
    m_seen = version;
    Q_EMIT changedElsewhere();
    return true;
}

std::optional<qint64> StoreChangeWatch::dataVersion() const
{
    Database::Session session(m_store);
    if (!session.isOpen())
        return std::nullopt;
    SqliteStatement pragma(session.handle(), "PRAGMA data_version;");
    if (!pragma.nextRow())
        return std::nullopt;
    return pragma.columnInt64(0);
}
