// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulecodec.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

namespace {
using ActionKind = ScheduleAction::Kind;
using Motion = ScheduleAction::Motion;
using TimeKind = ScheduleTime::Kind;
using OffReason = Schedule::OffReason;

// Each enumeration's words in the JSON form, in one place for both directions.
template <typename Enum> using Words = std::initializer_list<std::pair<Enum, const char *>>;
const Words<ActionKind> kActionWords = {{ActionKind::RunScenario, "scenario"},
                                        {ActionKind::Switch, "switch"},
                                        {ActionKind::Dim, "dim"},
                                        {ActionKind::Curtain, "curtain"}};
const Words<Motion> kMotionWords = {
    {Motion::Open, "open"}, {Motion::Close, "close"}, {Motion::Stop, "stop"}};
const Words<TimeKind> kTimeWords = {{TimeKind::Clock, "clock"},
                                    {TimeKind::Sunrise, "sunrise"},
                                    {TimeKind::Sunset, "sunset"},
                                    {TimeKind::Once, "once"}};
const Words<OffReason> kOffReasonWords = {{OffReason::ChannelRemoved, "channelRemoved"},
                                          {OffReason::ScenarioRemoved, "scenarioRemoved"},
                                          {OffReason::ChannelChanged, "channelChanged"}};

template <typename Enum> QString wordOf(const Words<Enum> &words, Enum value)
{
    for (const auto &[each, word] : words)
        if (each == value)
            return QString::fromLatin1(word);
    return {};
}

template <typename Enum>
std::optional<Enum> valueOf(const Words<Enum> &words, const QJsonValue &word)
{
    for (const auto &[each, text] : words)
        if (word.toString() == QLatin1String(text))
            return each;
    return std::nullopt;
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

// Reads the fields of an object; the first one that is malformed is kept
// as the problem, and what it reads from then on is not used.
class Reader {
public:
    const std::optional<ScheduleProblem> &problem() const { return m_problem; }

    void fail(ScheduleProblem problem)
    {
        if (!m_problem)
            m_problem = std::move(problem);
    }
    void missing(const char *name)
    {
        fail(ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "The schedule's %1 is missing or not understood."),
            {QString::fromLatin1(name)}));
    }

    QJsonValue field(const QJsonObject &object, const char *name)
    {
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined() || value.isNull())
            missing(name);
        return value;
    }

    QString text(const QJsonObject &object, const char *name)
    {
        const QJsonValue value = field(object, name);
        if (!value.isString())
            missing(name);
        return value.toString();
    }

    bool flag(const QJsonObject &object, const char *name)
    {
        const QJsonValue value = field(object, name);
        if (!value.isBool())
            missing(name);
        return value.toBool();
    }

    QJsonObject object(const QJsonObject &object, const char *name)
    {
        const QJsonValue value = field(object, name);
        if (!value.isObject())
            missing(name);
        return value.toObject();
    }

    int wholeNumber(const QJsonObject &object, const char *name)
    {
        const QJsonValue value = field(object, name);
        const double number = value.toDouble(std::nan(""));
        // Far past any valid value, but still an int: the rules name it.
        if (!value.isDouble() || number != std::trunc(number) || std::abs(number) > 1e6) {
            missing(name);
            return 0;
        }
        return int(number);
    }

    template <typename Enum>
    Enum word(const QJsonObject &object, const char *name, const Words<Enum> &words)
    {
        const std::optional<Enum> value = valueOf(words, field(object, name));
        if (!value)
            missing(name);
        return value.value_or(Enum{});
    }

    QTime timeOfDay(const QJsonObject &object)
    {
        const QString written = text(object, "at");
        static const QRegularExpression shape(QStringLiteral("^\\d{1,2}:\\d{2}$"));
        const QTime time = QTime::fromString(written, QStringLiteral("H:mm"));
        if (!shape.match(written).hasMatch() || !time.isValid())
            fail(ScheduleProblem(QT_TRANSLATE_NOOP("ScheduleProblem", "A day has no time %1."),
                                 {written}));
        return time;
    }

    QDate date(const QJsonObject &object)
    {
        const QString written = text(object, "date");
        static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        const QDate date = QDate::fromString(written, Qt::ISODate);
        if (!shape.match(written).hasMatch() || !date.isValid())
            fail(ScheduleProblem(
                QT_TRANSLATE_NOOP("ScheduleProblem", "There is no date %1 (year-month-day)."),
                {written}));
        return date;
    }

    Weekdays weekdays(const QJsonObject &object)
    {
        const QJsonValue value = field(object, "weekdays");
        if (!value.isArray())
            missing("weekdays");
        Weekdays days;
        for (const QJsonValue &day : value.toArray()) {
            const double number = day.toDouble(0);
            if (number != std::trunc(number) || number < 1 || number > 7)
                fail(ScheduleProblem(QT_TRANSLATE_NOOP(
                    "ScheduleProblem", "Days of the week are numbered 1 (Monday) to 7 (Sunday).")));
            else
                days.add(int(number));
        }
        return days;
    }

    ScheduleAction action(const QJsonObject &object)
    {
        ScheduleAction action;
        action.kind = word(object, "kind", kActionWords);
        switch (action.kind) {
        case ActionKind::RunScenario:
            action.target = text(object, "scenario");
            break;
        case ActionKind::Switch:
            action.target = text(object, "channel");
            action.on = flag(object, "on");
            break;
        case ActionKind::Dim:
            action.target = text(object, "channel");
            action.level = wholeNumber(object, "level");
            break;
        case ActionKind::Curtain:
            action.target = text(object, "channel");
            action.motion = word(object, "motion", kMotionWords);
            break;
        }
        return action;
    }

    ScheduleTime time(const QJsonObject &object)
    {
        ScheduleTime time;
        time.kind = word(object, "kind", kTimeWords);
        if (time.kind == TimeKind::Once) {
            time.date = date(object);
            time.at = timeOfDay(object);
            return time;
        }
        time.weekdays = weekdays(object);
        if (time.kind == TimeKind::Clock)
            time.at = timeOfDay(object);
        else
            time.offsetMinutes = wholeNumber(object, "offset");
        return time;
    }

private:
    std::optional<ScheduleProblem> m_problem;
};

QJsonArray weekdayArray(Weekdays days)
{
    QJsonArray array;
    for (int day = 1; day <= 7; ++day)
        if (days.contains(day))
            array.append(day);
    return array;
}

QJsonObject actionJson(const ScheduleAction &action)
{
    QJsonObject object{{QStringLiteral("kind"), wordOf(kActionWords, action.kind)}};
    const QString targetKey =
        action.targetsScenario() ? QStringLiteral("scenario") : QStringLiteral("channel");
    object.insert(targetKey, action.target);
    if (action.kind == ActionKind::Switch)
        object.insert(QStringLiteral("on"), action.on);
    if (action.kind == ActionKind::Dim)
        object.insert(QStringLiteral("level"), action.level);
    if (action.kind == ActionKind::Curtain)
        object.insert(QStringLiteral("motion"), wordOf(kMotionWords, action.motion));
    return object;
}

QJsonObject timeJson(const ScheduleTime &time)
{
    QJsonObject object{{QStringLiteral("kind"), wordOf(kTimeWords, time.kind)}};
    if (time.kind == TimeKind::Once)
        object.insert(QStringLiteral("date"), time.date.toString(Qt::ISODate));
    else
        object.insert(QStringLiteral("weekdays"), weekdayArray(time.weekdays));
    if (time.followsTheSun())
        object.insert(QStringLiteral("offset"), time.offsetMinutes);
    else
        object.insert(QStringLiteral("at"), timeText(time.at));
    return object;
}

} // namespace

QJsonObject ScheduleCodec::toJson(const Schedule &schedule)
{
    QJsonObject object{{QStringLiteral("name"), schedule.name},
                       {QStringLiteral("enabled"), schedule.enabled},
                       {QStringLiteral("action"), actionJson(schedule.action)},
                       {QStringLiteral("time"), timeJson(schedule.time)}};
    if (schedule.offReason != OffReason::None)
        object.insert(QStringLiteral("offReason"), wordOf(kOffReasonWords, schedule.offReason));
    return object;
}

std::variant<Schedule, ScheduleProblem> ScheduleCodec::fromJson(const QJsonObject &object)
{
    Reader reader;
    Schedule schedule;
    schedule.name = reader.text(object, "name");
    schedule.enabled = reader.flag(object, "enabled");
    schedule.action = reader.action(reader.object(object, "action"));
    schedule.time = reader.time(reader.object(object, "time"));
    schedule.offReason = valueOf(kOffReasonWords, object.value(QLatin1String("offReason")))
                             .value_or(OffReason::None);
    if (reader.problem())
        return *reader.problem();
    return schedule;
}
