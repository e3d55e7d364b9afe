// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "homelocation.h"
#include "schedule.h"
#include "scheduleproblem.h"

#include <QList>

#include <functional>
#include <optional>

class Database;
struct HomeTargets;

// The home's schedules and its location, in tables of the home's store (a
// schedule as JSON text per row, as the other records are). Every change is
// checked first and made whole or not at all: a refused one leaves the store
// as it was.
class ScheduleStore {
public:
    static constexpr int kMaxSchedules = 64;

    explicit ScheduleStore(Database *store);

    // In the order they were made; nothing when the store cannot be read.
    std::optional<QList<Schedule>> schedulesIfReadable();
    std::optional<Schedule> scheduleWithId(int id);

    // Checks the schedule against the home and stores it: a new one (ID 0)
    // gets its ID, an existing one is replaced. Saved by its owner, it no
    // longer carries a reason for being switched off. The problem when it
    // is refused.
    std::optional<ScheduleProblem> save(Schedule &schedule, const HomeTargets &targets);
    // False when there was no such schedule or it could not be removed.
    bool remove(int id);

    // Nothing until the owner sets it (or when it cannot be read).
    std::optional<HomeLocation> location();
    std::optional<ScheduleProblem> setLocation(const HomeLocation &location);

    // Switches off each schedule whose channel or scenario the home no longer
    // has (or whose channel no longer takes its action), with the reason;
    // the ones it changed. For after a synchronisation or a removal.
    QList<Schedule> switchOffUnrunnable(const HomeTargets &targets);

private:
    // The tables, added to a store made before them.
    void ensureTables();
    // The work whole or not at all (inside a transaction already under way, part of it).
    bool atomically(const std::function<bool()> &work);
    bool write(const Schedule &schedule);
    bool insert(Schedule &schedule);
    int count();

    Database *m_store;
};
