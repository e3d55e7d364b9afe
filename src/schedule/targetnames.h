// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"

#include <QHash>
#include <QString>

#include <optional>

class Database;

// The names the home gives the channels and scenarios schedules drive, to
// tell a schedule's action in words.
class TargetNames {
public:
    // As the store holds them; nothing when the store cannot be read.
    static std::optional<TargetNames> fromStore(Database *store);

    void addChannel(const QString &id, const QString &name) { m_channels.insert(id, name); }
    void addScenario(const QString &number, const QString &name)
    {
        m_scenarios.insert(number, name);
    }
    // The name of what the action drives; its ID (or number) when the home
    // has no such channel or scenario, or gave it no name.
    QString of(const ScheduleAction &action) const;

private:
    QHash<QString, QString> m_channels;  // by channel ID
    QHash<QString, QString> m_scenarios; // by scenario number
};
