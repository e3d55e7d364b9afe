// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "homeservices.h"

// Rebuilds the store from the master's configuration text: only the master's
// record survives; slaves, channels and scenarios come from the text. The
// wipe and the rebuild are one transaction, so a failure (or a crash) part
// of the way leaves the previous home as it was.
class ConfigurationImport {
    Q_DECLARE_TR_FUNCTIONS(ConfigurationImport)

public:
    ConfigurationImport(Database &store, DelegateManager &files, HomeEvents &events)
        : m_store(store), m_files(files), m_events(events)
    {
    }
    explicit ConfigurationImport(const HomeServices &home)
        : ConfigurationImport(home.store, home.files, home.events)
    {
    }

    // True when the new home was committed. The import's channels are
    // announced before the store changes.
    bool rebuildStoreFrom(const QString &text) const;
    // The IDs of the channels the configuration text brings.
    static QStringList channelIdsIn(const QString &text);
    // The "turnOn" a channel of this kind digit has for a scenario state byte
    // (two hexadecimal digits).
    static QString turnOnForStateByte(QChar kindDigit, QStringView stateByte);

private:
    Database &m_store;
    DelegateManager &m_files;
    HomeEvents &m_events;
};
