// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule commands of ardentia-ctl: the home's schedules listed, made,
// changed, switched and removed in its store, where the bridge reads them.
#include "clicommands.h"
#include "schedulearguments.h"

#include "schedule/hometargets.h"
#include "schedule/nextrun.h"
#include "schedule/schedulelisting.h"
#include "schedule/schedulerules.h"
#include "schedule/schedulestore.h"
#include "store/database.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cstdio>
#include <cstring>

namespace {
// The store's own failure is the system's; any other refusal is the input's.
bool isStoreFailure(const ScheduleProblem &problem)
{
    return std::strcmp(problem.source(), "The home's store could not be written.") == 0;
}

// "52.52", "-33.87" (after "--"), or with its hemisphere: "33.87S", "151.21E".
std::optional<double> degrees(const QString &text, QChar positive, QChar negative)
{
    QString number = text.trimmed().toUpper();
    double sign = 1;
    if (number.endsWith(positive) || number.endsWith(negative)) {
        sign = number.endsWith(negative) ? -1 : 1;
        number.chop(1);
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? std::optional(sign * value) : std::nullopt;
}
} // namespace

std::optional<Schedule> CliCommands::storedSchedule(const QString &id)
{
    bool ok = false;
    const int number = id.toInt(&ok);
    std::optional<Schedule> schedule =
        ok ? ScheduleStore(&m_home.store).scheduleWithId(number) : std::nullopt;
    if (!schedule)
        failWith(QStringLiteral("no schedule %1 in this home").arg(id));
    return schedule;
}

int CliCommands::saveSchedule(Schedule &schedule, const QString &doneMessage)
{
    const std::optional<HomeTargets> targets = HomeTargets::fromStore(&m_home.store);
    if (!targets)
        return failWith(QStringLiteral("the home's store could not be read"));
    if (const std::optional<ScheduleProblem> problem =
            ScheduleStore(&m_home.store).save(schedule, *targets))
        return failWith(problem->text(), isStoreFailure(*problem) ? Failed : Usage);
    print(doneMessage.arg(schedule.id));
    return Done;
}

int CliCommands::scheduleList()
{
    ScheduleStore store(&m_home.store);
    const std::optional<QList<Schedule>> schedules = store.schedulesIfReadable();
    if (!schedules)
        return failWith(QStringLiteral("the home's store could not be read"));
    NextRunCalculator calculator(QTimeZone::systemTimeZone(), store.location());
    const QDateTime now = QDateTime::currentDateTime();
    QJsonArray list;
    for (const Schedule &schedule : *schedules) {
        const std::optional<QDateTime> next = calculator.after(schedule, now);
        if (m_json) {
            list.append(ScheduleListing::entry(schedule, next));
            continue;
        }
        const std::optional<ScheduleProblem> why = ScheduleRules::offReasonText(schedule);
        const QString state =
            why    ? why->text()
            : next ? QStringLiteral("next ") + next->toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                   : QStringLiteral("no run to come");
        print(QStringLiteral("%1  %2  %3  %4  %5  %6")
                  .arg(schedule.id, 3)
                  .arg(schedule.name, -20)
                  .arg(schedule.enabled ? QStringLiteral("on ") : QStringLiteral("off"))
                  .arg(ScheduleArguments::whenWords(schedule.time), -28)
                  .arg(ScheduleArguments::actionWords(schedule.action), -28)
                  .arg(state));
    }
    if (m_json)
        std::printf("%s\n", QJsonDocument(list).toJson(QJsonDocument::Compact).constData());
    else if (schedules->isEmpty())
        print(QStringLiteral("no schedules"));
    return Done;
}

int CliCommands::scheduleAdd(const QString &name, const QStringList &words)
{
    Schedule schedule;
    schedule.name = name;
    if (std::optional<QString> problem = ScheduleArguments::apply(words, schedule))
        return failWith(*problem, Usage);
    if (std::optional<QString> problem = ScheduleArguments::incompleteness(schedule))
        return failWith(*problem, Usage);
    return saveSchedule(schedule, QStringLiteral("schedule %1 made"));
}

int CliCommands::scheduleEdit(const QString &id, const QStringList &words)
{
    std::optional<Schedule> schedule = storedSchedule(id);
    if (!schedule)
        return Failed;
    if (std::optional<QString> problem = ScheduleArguments::apply(words, *schedule))
        return failWith(*problem, Usage);
    return saveSchedule(*schedule, QStringLiteral("schedule %1 changed"));
}

int CliCommands::scheduleSwitch(const QString &id, bool on)
{
    if (!on) // one whose channel went is switched off with its reason, not refused
        if (const std::optional<HomeTargets> targets = HomeTargets::fromStore(&m_home.store))
            ScheduleStore(&m_home.store).switchOffUnrunnable(*targets);
    std::optional<Schedule> schedule = storedSchedule(id);
    if (!schedule)
        return Failed;
    const QString done =
        on ? QStringLiteral("schedule %1 is on") : QStringLiteral("schedule %1 is off");
    if (!on && !schedule->enabled) {
        print(done.arg(schedule->id));
        return Done;
    }
    schedule->enabled = on;
    return saveSchedule(*schedule, done);
}

int CliCommands::scheduleRemove(const QString &id)
{
    const std::optional<Schedule> schedule = storedSchedule(id);
    if (!schedule)
        return Failed;
    if (!ScheduleStore(&m_home.store).remove(schedule->id))
        return failWith(QStringLiteral("schedule %1 could not be removed").arg(id));
    print(QStringLiteral("schedule %1 removed").arg(id));
    return Done;
}

int CliCommands::scheduleLocation(const QStringList &coordinates)
{
    ScheduleStore store(&m_home.store);
    if (coordinates.isEmpty()) {
        const std::optional<HomeLocation> location = store.location();
        print(location ? QStringLiteral("%1 %2").arg(location->latitude).arg(location->longitude)
                       : QStringLiteral("no location set"));
        return Done;
    }
    const std::optional<double> latitude = degrees(coordinates.value(0), 'N', 'S');
    const std::optional<double> longitude = degrees(coordinates.value(1), 'E', 'W');
    if (!latitude || !longitude)
        return failWith(QStringLiteral("give the location as LATITUDE LONGITUDE in degrees, such "
                                       "as 52.52 13.40 or 33.87S 151.21E"),
                        Usage);
    if (const std::optional<ScheduleProblem> problem = store.setLocation({*latitude, *longitude}))
        return failWith(problem->text(), isStoreFailure(*problem) ? Failed : Usage);
    print(QStringLiteral("the home is at %1 %2").arg(*latitude).arg(*longitude));
    return Done;
}
