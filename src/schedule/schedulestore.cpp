// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulestore.h"

#include "schedulecodec.h"
#include "schedulerules.h"

#include "base/logging.h"
#include "store/database.h"
#include "store/sqlitestatement.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>

namespace {
QByteArray jsonBytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<QJsonObject> jsonObject(const std::optional<QByteArray> &bytes)
{
    if (!bytes)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes);
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<Schedule> scheduleFrom(qint64 rowId, const std::optional<QByteArray> &info)
{
    const std::optional<QJsonObject> object = jsonObject(info);
    if (!object)
        return std::nullopt;
    std::variant<Schedule, ScheduleProblem> parsed = ScheduleCodec::fromJson(*object);
    if (Schedule *schedule = std::get_if<Schedule>(&parsed)) {
        schedule->id = int(rowId);
        return *schedule;
    }
    return std::nullopt;
}

ScheduleProblem notStored()
{
    return ScheduleProblem(
        QT_TRANSLATE_NOOP("ScheduleProblem", "The home's store could not be written."));
}
} // namespace

ScheduleStore::ScheduleStore(Database *store) : m_store(store) {}

void ScheduleStore::ensureTables()
{
    m_store->creatDatabase();
}

bool ScheduleStore::atomically(const std::function<bool()> &work)
{
    Database::Session session(m_store);
    if (session.isOpen() && sqlite3_get_autocommit(session.handle()) == 0)
        return work();
    return m_store->runInTransaction(work);
}

std::optional<QList<Schedule>> ScheduleStore::schedulesIfReadable()
{
    ensureTables();
    Database::Session session(m_store);
    SqliteStatement select(session.handle(), "SELECT ID, INFO FROM Schedule ORDER BY ID;");
    QList<Schedule> schedules;
    while (select.nextRow()) {
        if (std::optional<Schedule> schedule =
                scheduleFrom(select.columnInt64(0), select.columnBytes(1)))
            schedules.append(std::move(*schedule));
        else
            qCWarning(lcStore) << "Schedule" << select.columnInt64(0) << "cannot be read";
    }
    if (!select.hasSucceeded())
        return std::nullopt;
    return schedules;
}

std::optional<Schedule> ScheduleStore::scheduleWithId(int id)
{
    ensureTables();
    Database::Session session(m_store);
    SqliteStatement select(session.handle(), "SELECT INFO FROM Schedule WHERE ID=?1;");
    select.bind(1, id);
    if (!select.nextRow())
        return std::nullopt;
    return scheduleFrom(id, select.columnBytes(0));
}

int ScheduleStore::count()
{
    Database::Session session(m_store);
    SqliteStatement select(session.handle(), "SELECT COUNT(*) FROM Schedule;");
    return select.nextRow() ? int(select.columnInt64(0)) : kMaxSchedules;
}

bool ScheduleStore::write(const Schedule &schedule)
{
    Database::Session session(m_store);
    return SqliteStatement(session.handle(), "UPDATE Schedule SET INFO=?1 WHERE ID=?2;")
               .bind(1, jsonBytes(ScheduleCodec::toJson(schedule)))
               .bind(2, schedule.id)
               .execute() &&
           sqlite3_changes(session.handle()) == 1;
}

bool ScheduleStore::insert(Schedule &schedule)
{
    Database::Session session(m_store);
    if (!SqliteStatement(session.handle(), "INSERT INTO Schedule (INFO) VALUES (?1);")
             .bind(1, jsonBytes(ScheduleCodec::toJson(schedule)))
             .execute())
        return false;
    schedule.id = int(sqlite3_last_insert_rowid(session.handle()));
    return true;
}

std::optional<ScheduleProblem> ScheduleStore::save(Schedule &schedule, const HomeTargets &targets)
{
    ensureTables();
    const bool hasLocation = location().has_value();
    if (std::optional<ScheduleProblem> problem =
            ScheduleRules::problemOf(schedule, targets, hasLocation))
        return problem;
    Schedule saved = schedule;
    saved.offReason = Schedule::OffReason::None;
    std::optional<ScheduleProblem> refusal;
    const bool stored = atomically([&] {
        if (saved.id != 0) {
            if (write(saved))
                return true;
            if (!scheduleWithId(saved.id))
                refusal = ScheduleProblem(
                    QT_TRANSLATE_NOOP("ScheduleProblem", "The home has no schedule %1."),
                    {QString::number(saved.id)});
            return false;
        }
        // Counted in the transaction that adds it: two programs adding at
        // once cannot pass the limit together.
        if (count() >= kMaxSchedules) {
            refusal = ScheduleProblem(
                QT_TRANSLATE_NOOP("ScheduleProblem", "A home has at most %1 schedules."),
                {QString::number(kMaxSchedules)});
            return false;
        }
        return insert(saved);
    });
    if (!stored)
        return refusal.value_or(notStored());
    schedule = saved;
    return std::nullopt;
}

bool ScheduleStore::remove(int id)
{
    ensureTables();
    Database::Session session(m_store);
    return SqliteStatement(session.handle(), "DELETE FROM Schedule WHERE ID=?1;")
               .bind(1, id)
               .execute() &&
           sqlite3_changes(session.handle()) == 1;
}

std::optional<HomeLocation> ScheduleStore::location()
{
    ensureTables();
    Database::Session session(m_store);
    SqliteStatement select(session.handle(), "SELECT INFO FROM HomeLocation WHERE ID=1;");
    if (!select.nextRow())
        return std::nullopt;
    const std::optional<QJsonObject> object = jsonObject(select.columnBytes(0));
    if (!object)
        return std::nullopt;
    const QJsonValue latitude = object->value(QLatin1String("latitude"));
    const QJsonValue longitude = object->value(QLatin1String("longitude"));
    if (!latitude.isDouble() || !longitude.isDouble())
        return std::nullopt;
    const HomeLocation location{latitude.toDouble(), longitude.toDouble()};
    if (location.problem())
        return std::nullopt;
    return location;
}

std::optional<ScheduleProblem> ScheduleStore::setLocation(const HomeLocation &location)
{
    if (std::optional<ScheduleProblem> problem = location.problem())
        return problem;
    ensureTables();
    const QJsonObject object{{QStringLiteral("latitude"), location.latitude},
                             {QStringLiteral("longitude"), location.longitude}};
    Database::Session session(m_store);
    if (!SqliteStatement(session.handle(),
                         "INSERT OR REPLACE INTO HomeLocation (ID, INFO) VALUES (1, ?1);")
             .bind(1, jsonBytes(object))
             .execute())
        return notStored();
    return std::nullopt;
}

QList<Schedule> ScheduleStore::switchOffUnrunnable(const HomeTargets &targets)
{
    QList<Schedule> switchedOff;
    const bool stored = atomically([&] {
        switchedOff.clear();
        const std::optional<QList<Schedule>> schedules = schedulesIfReadable();
        if (!schedules)
            return false;
        for (Schedule schedule : *schedules) {
            const Schedule::OffReason reason = ScheduleRules::offReasonIn(schedule, targets);
            if (reason == Schedule::OffReason::None ||
                (!schedule.enabled && schedule.offReason == reason))
                continue;
            schedule.enabled = false;
            schedule.offReason = reason;
            if (!write(schedule))
                return false;
            switchedOff.append(schedule);
        }
        return true;
    });
    return stored ? switchedOff : QList<Schedule>();
}
