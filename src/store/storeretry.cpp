// SPDX-License-Identifier: GPL-3.0-or-later
#include "storeretry.h"

#include "base/logging.h"
#include "store/database.h"

StoreRetry::StoreRetry(Database &store, QObject *parent) : QObject(parent), m_store(store)
{
    m_timer.setInterval(kRetryMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &StoreRetry::retry);
}

void StoreRetry::readFailed(const QString &what)
{
    if (!m_timer.isActive())
        qCWarning(lcStore).noquote()
            << QStringLiteral("the store could not be read (%1): what was published stays, "
                              "trying again every %2 s")
                   .arg(what)
                   .arg(m_timer.interval() / 1000.0);
    m_timer.start();
}

void StoreRetry::retry()
{
    if (!m_store.homeIfReadable())
        return;
    m_timer.stop();
    qCInfo(lcStore).noquote() << "the store can be read again";
    Q_EMIT recovered();
}
