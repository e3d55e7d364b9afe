// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulearguments.h"

#include "store/recordkeys.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {
using ActionKind = ScheduleAction::Kind;
using Motion = ScheduleAction::Motion;
using TimeKind = ScheduleTime::Kind;

const std::array<QString, 7> kDayNames{"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const std::array<std::pair<Motion, const char *>, 3> kMotions{
    {{Motion::Open, "open"}, {Motion::Close, "close"}, {Motion::Stop, "stop"}}};

// The built-in scenarios by name: their numbers would be taken for options.
const std::array<std::pair<QString, QString>, 2> kBuiltInScenarios{
    {{QStringLiteral("all-on"), Value::allOnMainID},
     {QStringLiteral("all-off"), Value::allOffMainID}}};

QString scenarioNumber(const QString &word)
{
    for (const auto &[name, number] : kBuiltInScenarios)
        if (word.toLower() == name)
            return number;
    return word;
}

int dayNumber(const QString &name)
{
    for (size_t day = 0; day < kDayNames.size(); ++day)
        if (name == kDayNames[day])
            return int(day) + 1;
    return 0;
}

QString quoted(const QString &word)
{
    return QLatin1Char('"') + word + QLatin1Char('"');
}

// The words of one schedule, taken one by one; a word that is not there is empty.
class Words {
public:
    explicit Words(const QStringList &words) : m_words(words) {}
    bool atEnd() const { return m_next >= m_words.size(); }
    QString take() { return m_words.value(m_next++); }
    QString peek() const { return m_words.value(m_next); }

private:
    const QStringList &m_words;
    qsizetype m_next = 0;
};

// A channel's action: "switch ID on|off", "dim ID LEVEL", "curtain ID open|close|stop".
std::optional<ScheduleAction> channelAction(const QString &keyword, const QString &channel,
                                            const QString &setting)
{
    static const QRegularExpression levelForm(QStringLiteral("^-?[0-9]{1,4}$"));
    ScheduleAction action{ActionKind::Switch, channel};
    const QString word = setting.toLower();
    if (keyword == QLatin1String("switch")) {
        if (word != QLatin1String("on") && word != QLatin1String("off"))
            return std::nullopt;
        action.on = word == QLatin1String("on");
        return action;
    }
    if (keyword == QLatin1String("dim")) {
        if (!levelForm.match(word).hasMatch())
            return std::nullopt;
        action.kind = ActionKind::Dim;
        action.level = word.toInt();
        return action;
    }
    action.kind = ActionKind::Curtain;
    for (const auto &[motion, name] : kMotions)
        if (word == QLatin1String(name)) {
            action.motion = motion;
            return action;
        }
    return std::nullopt;
}

QString channelActionUsage(const QString &keyword)
{
    if (keyword == QLatin1String("switch"))
        return QStringLiteral("give \"switch ID on\" or \"switch ID off\"");
    if (keyword == QLatin1String("dim"))
        return QStringLiteral("give \"dim ID LEVEL\", the level 0-100");
    return QStringLiteral("give \"curtain ID open\", \"close\" or \"stop\"");
}
} // namespace

std::optional<Weekdays> ScheduleArguments::days(const QString &text)
{
    const QString lower = text.toLower();
    if (lower == QLatin1String("daily"))
        return Weekdays::everyDay();
    if (lower == QLatin1String("weekdays"))
        return ScheduleArguments::days(QStringLiteral("mon-fri"));
    if (lower == QLatin1String("weekend"))
        return ScheduleArguments::days(QStringLiteral("sat,sun"));
    Weekdays chosen;
    for (const QString &part : lower.split(QLatin1Char(','))) {
        const int first = dayNumber(part.section(QLatin1Char('-'), 0, 0));
        const int last =
            part.contains(QLatin1Char('-')) ? dayNumber(part.section(QLatin1Char('-'), 1)) : first;
        if (first == 0 || last < first)
            return std::nullopt;
        for (int day = first; day <= last; ++day)
            chosen.add(day);
    }
    return chosen;
}

QString ScheduleArguments::daysWords(const Weekdays &days)
{
    if (days == Weekdays::everyDay())
        return QStringLiteral("daily");
    QStringList parts;
    for (const Weekdays::Span &span : days.spans())
        parts.append(span.last == span.first
                         ? kDayNames[size_t(span.first - 1)]
                         : kDayNames[size_t(span.first - 1)] + QLatin1Char('-') +
                               kDayNames[size_t(span.last - 1)]);
    return parts.join(QLatin1Char(','));
}

std::optional<QString> ScheduleArguments::apply(const QStringList &list, Schedule &schedule)
{
    static const QRegularExpression sunForm(QStringLiteral("^(sunrise|sunset)([+-][0-9]{1,4})?$"));
    static const QRegularExpression offsetForm(QStringLiteral("^[+-]?[0-9]{1,4}$"));
    Words words(list);
    ScheduleTime &time = schedule.time;
    ScheduleAction &action = schedule.action;
    while (!words.atEnd()) {
        const QString keyword = words.take().toLower();
        if (const QRegularExpressionMatch sun = sunForm.match(keyword); sun.hasMatch()) {
            time.kind =
                sun.captured(1) == QLatin1String("sunrise") ? TimeKind::Sunrise : TimeKind::Sunset;
            // "sunset-30" in one word (a word of its own starting with "-"
            // would be taken for an option), "sunrise +15", or no offset.
            if (!sun.captured(2).isEmpty())
                time.offsetMinutes = sun.captured(2).toInt();
            else
                time.offsetMinutes =
                    offsetForm.match(words.peek()).hasMatch() ? words.take().toInt() : 0;
            continue;
        }
        const QString value = words.take();
        if (value.isEmpty())
            return QStringLiteral("%1 needs a value").arg(quoted(keyword));
        if (keyword == QLatin1String("name")) {
            schedule.name = value;
        } else if (keyword == QLatin1String("at")) {
            time.at = QTime::fromString(value, QStringLiteral("H:mm"));
            if (!time.at.isValid())
                return QStringLiteral("\"at\" takes a time of day as HH:MM, not %1")
                    .arg(quoted(value));
            if (time.kind != TimeKind::Once)
                time.kind = TimeKind::Clock;
        } else if (keyword == QLatin1String("on")) {
            time.date = QDate::fromString(value, Qt::ISODate);
            if (!time.date.isValid())
                return QStringLiteral("\"on\" takes a date as YYYY-MM-DD, not %1")
                    .arg(quoted(value));
            time.kind = TimeKind::Once;
        } else if (keyword == QLatin1String("days")) {
            const std::optional<Weekdays> chosen = days(value);
            if (!chosen)
                return QStringLiteral("\"days\" takes daily, weekdays, weekend or days such as "
                                      "mon-fri or sat,sun, not %1")
                    .arg(quoted(value));
            time.weekdays = *chosen;
            if (time.kind == TimeKind::Once)
                time.kind = TimeKind::Clock;
        } else if (keyword == QLatin1String("scenario")) {
            action = {ActionKind::RunScenario, scenarioNumber(value)};
        } else if (keyword == QLatin1String("switch") || keyword == QLatin1String("dim") ||
                   keyword == QLatin1String("curtain")) {
            const std::optional<ScheduleAction> taken = channelAction(keyword, value, words.take());
            if (!taken)
                return channelActionUsage(keyword);
            action = *taken;
        } else {
            return QStringLiteral("%1 is not part of a schedule (at, on, days, sunrise, sunset, "
                                  "switch, dim, curtain, scenario, name)")
                .arg(quoted(keyword));
        }
    }
    return std::nullopt;
}

std::optional<QString> ScheduleArguments::incompleteness(const Schedule &schedule)
{
    if (schedule.action.target.isEmpty())
        return QStringLiteral("a schedule needs an action: switch ID on|off, dim ID LEVEL, "
                              "curtain ID open|close|stop or scenario N");
    if (!schedule.time.followsTheSun() && !schedule.time.at.isValid())
        return QStringLiteral("a schedule needs a time: at HH:MM, sunrise or sunset");
    return std::nullopt;
}

QString ScheduleArguments::whenWords(const ScheduleTime &time)
{
    if (time.kind == TimeKind::Once)
        return QStringLiteral("at %1 on %2")
            .arg(time.at.toString(QStringLiteral("HH:mm")), time.date.toString(Qt::ISODate));
    QString words =
        time.kind == TimeKind::Clock
            ? QStringLiteral("at ") + time.at.toString(QStringLiteral("HH:mm"))
            : QString::fromLatin1(time.kind == TimeKind::Sunrise ? "sunrise" : "sunset");
    if (time.followsTheSun() && time.offsetMinutes != 0)
        words += QStringLiteral("%1%2")
                     .arg(time.offsetMinutes > 0 ? QStringLiteral("+") : QString())
                     .arg(time.offsetMinutes);
    return words + QStringLiteral(" days ") + daysWords(time.weekdays);
}

QString ScheduleArguments::actionWords(const ScheduleAction &action)
{
    switch (action.kind) {
    case ActionKind::RunScenario:
        break;
    case ActionKind::Switch:
        return QStringLiteral("switch %1 %2").arg(action.target, action.on ? "on" : "off");
    case ActionKind::Dim:
        return QStringLiteral("dim %1 %2").arg(action.target).arg(action.level);
    case ActionKind::Curtain:
        for (const auto &[motion, word] : kMotions)
            if (motion == action.motion)
                return QStringLiteral("curtain %1 %2").arg(action.target, QLatin1String(word));
    }
    for (const auto &[word, number] : kBuiltInScenarios)
        if (action.target == number)
            return QStringLiteral("scenario ") + word;
    return QStringLiteral("scenario ") + action.target;
}
