// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulerequests.h"

#include "schedule/hometargets.h"
#include "schedule/schedulecodec.h"
#include "schedule/schedulestore.h"
#include "store/database.h"

namespace {
const QString kId = QStringLiteral("id");

QString noSchedule(int id, const ScheduleProblem::Words &words)
{
    return ScheduleProblem(QT_TRANSLATE_NOOP("ScheduleProblem", "The home has no schedule %1."),
                           {QString::number(id)})
        .text(words);
}

QString unreadable(const ScheduleProblem::Words &words)
{
    return ScheduleProblem(
               QT_TRANSLATE_NOOP("ScheduleProblem", "The home's store could not be read."))
        .text(words);
}
} // namespace

ScheduleRequests::Answer ScheduleRequests::handle(const QString &verb, const QJsonObject &body,
                                                  const ScheduleProblem::Words &words)
{
    const QJsonValue idValue = body.value(kId);
    const int id = idValue.isDouble() ? idValue.toInt() : 0;
    if (verb == QLatin1String("add"))
        return save(body.value(QStringLiteral("schedule")).toObject(), 0, words);
    if (verb == QLatin1String("location"))
        return setLocation(body, words);
    if (id <= 0)
        return QStringLiteral("name the schedule with \"id\"");
    if (verb == QLatin1String("edit"))
        return save(body.value(QStringLiteral("schedule")).toObject(), id, words);
    if (verb == QLatin1String("on") || verb == QLatin1String("off"))
        return setEnabled(id, verb == QLatin1String("on"), words);
    if (verb == QLatin1String("remove"))
        return remove(id, words);
    return QStringLiteral("no such request: schedule/%1").arg(verb);
}

ScheduleRequests::Answer ScheduleRequests::save(QJsonObject json, int id,
                                                const ScheduleProblem::Words &words)
{
    std::variant<Schedule, ScheduleProblem> read = ScheduleCodec::fromJson(json);
    if (const ScheduleProblem *problem = std::get_if<ScheduleProblem>(&read))
        return problem->text(words);
    Schedule schedule = std::get<Schedule>(read);
    schedule.id = id;
    if (id != 0 && !ScheduleStore(&m_store).scheduleWithId(id))
        return noSchedule(id, words);
    const std::optional<HomeTargets> targets = HomeTargets::fromStore(&m_store);
    if (!targets)
        return unreadable(words);
    if (const std::optional<ScheduleProblem> problem =
            ScheduleStore(&m_store).save(schedule, *targets))
        return problem->text(words);
    return changed(QJsonObject{{kId, schedule.id}});
}

ScheduleRequests::Answer ScheduleRequests::setEnabled(int id, bool on,
                                                      const ScheduleProblem::Words &words)
{
    ScheduleStore store(&m_store);
    const std::optional<HomeTargets> targets = HomeTargets::fromStore(&m_store);
    if (!targets)
        return unreadable(words);
    // One whose channel went is switched off with its reason, not refused.
    if (!on)
        store.switchOffUnrunnable(*targets);
    std::optional<Schedule> schedule = store.scheduleWithId(id);
    if (!schedule)
        return noSchedule(id, words);
    if (schedule->enabled != on) {
        schedule->enabled = on;
        if (const std::optional<ScheduleProblem> problem = store.save(*schedule, *targets))
            return problem->text(words);
    }
    return changed(QJsonObject{{kId, id}, {QStringLiteral("enabled"), on}});
}

ScheduleRequests::Answer ScheduleRequests::remove(int id, const ScheduleProblem::Words &words)
{
    if (!ScheduleStore(&m_store).remove(id))
        return noSchedule(id, words);
    return changed(QJsonObject{{kId, id}});
}

ScheduleRequests::Answer ScheduleRequests::setLocation(const QJsonObject &body,
                                                       const ScheduleProblem::Words &words)
{
    const QJsonValue latitude = body.value(QStringLiteral("latitude"));
    const QJsonValue longitude = body.value(QStringLiteral("longitude"));
    if (!latitude.isDouble() || !longitude.isDouble())
        return QStringLiteral("give \"latitude\" and \"longitude\" in degrees");
    if (const std::optional<ScheduleProblem> problem =
            ScheduleStore(&m_store).setLocation({latitude.toDouble(), longitude.toDouble()}))
        return problem->text(words);
    return changed(QJsonObject{{QStringLiteral("latitude"), latitude},
                               {QStringLiteral("longitude"), longitude}});
}

ScheduleRequests::Answer ScheduleRequests::changed(QJsonValue data)
{
    m_changed();
    return data;
}
