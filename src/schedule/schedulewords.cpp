// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulewords.h"

#include <QLocale>

#include <array>

namespace {
constexpr std::array kDayNames{
    QT_TRANSLATE_NOOP("ScheduleWords", "Monday"),    QT_TRANSLATE_NOOP("ScheduleWords", "Tuesday"),
    QT_TRANSLATE_NOOP("ScheduleWords", "Wednesday"), QT_TRANSLATE_NOOP("ScheduleWords", "Thursday"),
    QT_TRANSLATE_NOOP("ScheduleWords", "Friday"),    QT_TRANSLATE_NOOP("ScheduleWords", "Saturday"),
    QT_TRANSLATE_NOOP("ScheduleWords", "Sunday")};
constexpr std::array kShortDayNames{
    QT_TRANSLATE_NOOP("ScheduleWords", "Mon"), QT_TRANSLATE_NOOP("ScheduleWords", "Tue"),
    QT_TRANSLATE_NOOP("ScheduleWords", "Wed"), QT_TRANSLATE_NOOP("ScheduleWords", "Thu"),
    QT_TRANSLATE_NOOP("ScheduleWords", "Fri"), QT_TRANSLATE_NOOP("ScheduleWords", "Sat"),
    QT_TRANSLATE_NOOP("ScheduleWords", "Sun")};

} // namespace

QString ScheduleWords::filled(const char *source, const QStringList &values) const
{
    return ScheduleProblem(source, values).text(m_words);
}

QString ScheduleWords::action(const ScheduleAction &action, const QString &targetName) const
{
    switch (action.kind) {
    case ScheduleAction::Kind::RunScenario:
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "Run scenario %1"), {targetName});
    case ScheduleAction::Kind::Switch:
        return action.on ? filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 on"), {targetName})
                         : filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 off"), {targetName});
    case ScheduleAction::Kind::Dim:
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 to %2%"),
                      {targetName, QString::number(action.level)});
    case ScheduleAction::Kind::Curtain:
        break;
    }
    switch (action.motion) {
    case ScheduleAction::Motion::Open:
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 open"), {targetName});
    case ScheduleAction::Motion::Close:
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 closed"), {targetName});
    case ScheduleAction::Motion::Stop:
        break;
    }
    return filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 stopped"), {targetName});
}

QString ScheduleWords::days(const Weekdays &days) const
{
    if (days == Weekdays::everyDay())
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "every day"));
    QStringList parts;
    for (const Weekdays::Span &span : days.spans()) {
        const QString first = m_words(kShortDayNames[size_t(span.first - 1)]);
        parts.append(span.last == span.first
                         ? first
                         : filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1–%2"),
                                  {first, m_words(kShortDayNames[size_t(span.last - 1)])}));
    }
    if (parts.isEmpty())
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "no day"));
    return parts.join(filled(QT_TRANSLATE_NOOP("ScheduleWords", ", ")));
}

QString ScheduleWords::when(const ScheduleTime &time) const
{
    const QString clock = time.at.toString(QStringLiteral("HH:mm"));
    if (time.kind == ScheduleTime::Kind::Once)
        return filled(QT_TRANSLATE_NOOP("ScheduleWords", "Once on %1 at %2"),
                      {date(time.date), clock});
    QString moment;
    const QString minutes = QString::number(qAbs(time.offsetMinutes));
    const bool before = time.offsetMinutes < 0;
    if (time.kind == ScheduleTime::Kind::Clock)
        moment = clock;
    else if (time.offsetMinutes == 0)
        moment = time.kind == ScheduleTime::Kind::Sunrise
                     ? filled(QT_TRANSLATE_NOOP("ScheduleWords", "At sunrise"))
                     : filled(QT_TRANSLATE_NOOP("ScheduleWords", "At sunset"));
    else if (time.kind == ScheduleTime::Kind::Sunrise)
        moment =
            before ? filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 min before sunrise"), {minutes})
                   : filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 min after sunrise"), {minutes});
    else
        moment = before
                     ? filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 min before sunset"), {minutes})
                     : filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 min after sunset"), {minutes});
    return filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1, %2"), {moment, days(time.weekdays)});
}

QString ScheduleWords::offReason(Schedule::OffReason reason) const
{
    switch (reason) {
    case Schedule::OffReason::None:
        break;
    case Schedule::OffReason::ChannelRemoved:
        return filled(QT_TRANSLATE_NOOP(
            "ScheduleWords", "Switched off by the home: its device is no longer there."));
    case Schedule::OffReason::ScenarioRemoved:
        return filled(QT_TRANSLATE_NOOP(
            "ScheduleWords", "Switched off by the home: its scenario is no longer there."));
    case Schedule::OffReason::ChannelChanged:
        return filled(QT_TRANSLATE_NOOP(
            "ScheduleWords", "Switched off by the home: its device no longer does this."));
    }
    return {};
}

QString ScheduleWords::noLocation() const
{
    return filled(QT_TRANSLATE_NOOP("ScheduleWords",
                                    "Does not run until the home's location is set, for its "
                                    "sunrise and sunset (ardentia-ctl schedule location)."));
}

QString ScheduleWords::state(bool enabled) const
{
    return enabled ? filled(QT_TRANSLATE_NOOP("ScheduleWords", "On"))
                   : filled(QT_TRANSLATE_NOOP("ScheduleWords", "Off"));
}

QString ScheduleWords::dayName(int dayOfWeek) const
{
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? m_words(kDayNames[size_t(dayOfWeek - 1)]) : QString();
}

QString ScheduleWords::date(QDate date, bool withYear) const
{
    // The language's order of day, month and year; the month's name in
    // English where the order names it (a language that writes months by
    // name translates the whole format).
    const QString format = withYear ? filled(QT_TRANSLATE_NOOP("ScheduleWords", "d MMM yyyy"))
                                    : filled(QT_TRANSLATE_NOOP("ScheduleWords", "d MMM"));
    return QLocale::c().toString(date, format);
}
