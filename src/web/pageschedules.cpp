// SPDX-License-Identifier: GPL-3.0-or-later
#include "pageschedules.h"

#include "core/schedulerunner.h"
#include "pageerror.h"
#include "schedule/schedulerequests.h"
#include "webpagetexts.h"

#include "control/homelists.h"
#include "schedule/localtime.h"
#include "schedule/nextrunphrase.h"
#include "schedule/schedulelisting.h"
#include "schedule/schedulestore.h"
#include "schedule/schedulewords.h"
#include "schedule/targetnames.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

#include <QJsonArray>

#include <algorithm>

namespace {
// The names of what schedules drive, as the page names them: a built-in
// scenario's title as made in the page's language. Nothing when the store
// cannot be read.
std::optional<TargetNames> targetNamesOf(Database &store, const QString &language)
{
    const std::optional<Database::HomeRecords> home = store.homeIfReadable();
    if (!home)
        return std::nullopt;
    TargetNames names;
    for (const QVariantMap &device : home->devices)
        names.addChannel(device.value(Key::id).toString(), device.value(Key::title).toString());
    for (const QVariantMap &scenario : home->scenarios) {
        const QString number = scenario.value(Key::mainID).toString();
        const QString title = scenario.value(Key::title).toString();
        const bool madeTitle =
            !RecordFactory::isUserScenario(scenario) && HomeLists::hasMadeTitle(number, title);
        names.addScenario(
            number, madeTitle ? WebPageTexts::text(
                                    number == QLatin1String("-1") ? "allOn" : "allOff", language)
                              : title);
    }
    return names;
}

// Looked at hourly at most, so that a clock that jumped is noticed.
constexpr qint64 kLongestWaitMs = 60 * 60 * 1000;
} // namespace

PageSchedules::PageSchedules(Database &store, ScheduleRunner *runner, ScheduleRequests *requests,
                             QObject *parent)
    : QObject(parent), m_store(store), m_runner(runner), m_requests(requests)
{
    connect(m_runner, &ScheduleRunner::listChanged, this, &PageSchedules::changed);
    m_dayChange.setSingleShot(true);
    connect(&m_dayChange, &QTimer::timeout, this, [this] {
        const QDate today = m_runner->now().toTimeZone(m_runner->zone()).date();
        if (today != m_today)
            Q_EMIT changed();
        armDayChange();
    });
    armDayChange();
}

void PageSchedules::armDayChange()
{
    const QDateTime now = m_runner->now();
    m_today = now.toTimeZone(m_runner->zone()).date();
    const QDateTime midnight = LocalTime::moment(m_today.addDays(1), QTime(0, 0), m_runner->zone());
    // A moment after it: the words are of the new day.
    m_dayChange.start(int(std::clamp<qint64>(now.msecsTo(midnight) + 1000, 0, kLongestWaitMs)));
}

QJsonObject PageSchedules::list(const QString &language, bool forOwner)
{
    const std::optional<HomeLocation> location = ScheduleStore(&m_store).location();
    const bool hasLocation = location && !location->problem();
    const ScheduleWords words(WebPageTexts::wordsOf("ScheduleWords", language));
    const NextRunPhrase phrase(m_runner->zone(), words);
    const QDateTime now = m_runner->now();
    const std::optional<TargetNames> names = targetNamesOf(m_store, language);
    QJsonArray schedules;
    for (const Schedule &schedule : m_runner->schedules()) {
        const std::optional<QDateTime> next = m_runner->nextRunOf(schedule);
        QJsonObject entry = ScheduleListing::entry(
            schedule, next, WebPageTexts::wordsOf("ScheduleProblem", language));
        entry.insert(QStringLiteral("whenText"), words.when(schedule.time));
        entry.insert(QStringLiteral("actionText"),
                     words.action(schedule.action,
                                  names ? names->of(schedule.action) : schedule.action.target));
        entry.insert(QStringLiteral("nextText"), phrase.of(schedule, next, now, hasLocation));
        schedules.append(entry);
    }
    QJsonObject list{{QStringLiteral("type"), QStringLiteral("schedules")},
                     {QStringLiteral("schedules"), schedules}};
    if (forOwner)
        list.insert(QStringLiteral("location"),
                    location ? QJsonObject{{QStringLiteral("latitude"), location->latitude},
                                           {QStringLiteral("longitude"), location->longitude}}
                             : QJsonValue());
    return list;
}

QJsonObject PageSchedules::change(const PageRequest::ChangeSchedule &request,
                                  const QString &language)
{
    const ScheduleRequests::Answer answer = m_requests->handle(
        request.verb, request.body, WebPageTexts::wordsOf("ScheduleProblem", language));
    if (const QString *refused = std::get_if<QString>(&answer))
        return pageError(QStringLiteral("scheduleRefused"), *refused);
    QJsonObject done{{QStringLiteral("type"), QStringLiteral("scheduleDone")},
                     {QStringLiteral("verb"), request.verb}};
    const QJsonValue id = std::get<QJsonValue>(answer).toObject().value(QStringLiteral("id"));
    if (!id.isUndefined())
        done.insert(QStringLiteral("id"), id);
    return done;
}
