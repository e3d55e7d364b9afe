// SPDX-License-Identifier: GPL-3.0-or-later
#include "datarow.h"
#include "schedule/nextrunphrase.h"
#include "testmain.h"

#include <QHash>

namespace {
QDateTime at(const char *iso)
{
    const QDateTime moment = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    Q_ASSERT(moment.isValid());
    return moment;
}

Schedule timed(ScheduleTime::Kind kind, int offsetMinutes = 0, bool enabled = true)
{
    Schedule schedule;
    schedule.name = QStringLiteral("Porch");
    schedule.time.kind = kind;
    schedule.time.at = QTime(7, 0);
    schedule.time.offsetMinutes = offsetMinutes;
    schedule.enabled = enabled;
    return schedule;
}

Schedule onceOn(QDate date)
{
    Schedule schedule = timed(ScheduleTime::Kind::Once);
    schedule.time.date = date;
    return schedule;
}

constexpr auto Clock = ScheduleTime::Kind::Clock;
constexpr auto Sunrise = ScheduleTime::Kind::Sunrise;
constexpr auto Sunset = ScheduleTime::Kind::Sunset;

// The Chinese texts the table below reads, as the translation table has them.
QString chinese(const char *source)
{
    static const QHash<QString, QString> table{
        {"%1 %2", "%1 %2"},
        {"Today", "今天"},
        {"Tomorrow", "明天"},
        {"Saturday", "星期六"},
        {"d MMM", "M月d日"},
        {"d MMM yyyy", "yyyy年M月d日"},
        {"at sunset %1", "日落 %1"},
        {"%1, %2 min before sunrise", "%1，日出前 %2 分钟"},
        {"Off", "关闭"},
        {"No next run: its date has passed", "无下次运行：日期已过"}};
    return table.value(QString::fromUtf8(source), QString::fromUtf8(source));
}
} // namespace

class TestNextRunPhrase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The day is the home's calendar day, counted in days whatever their
    // length, wherever the moment was given; the time is the run's own, and
    // a run by the sun names the sun and its offset. Without a run, why not.
    void words_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<Schedule>("schedule");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("next"); // invalid: none
        QTest::addColumn<bool>("homeHasLocation");
        QTest::addColumn<QString>("expected");

        const QString en = QStringLiteral("en");
        const QDateTime none;
        // 2026-12-10 is a Thursday; the home is in Berlin.
        const QDateTime thursday = at("2026-12-10T06:00+01:00");
        dataRow("later today", en, timed(Clock), thursday, at("2026-12-10T07:00+01:00"), true,
                "Today 07:00");
        dataRow("tomorrow", en, timed(Clock), at("2026-12-10T08:00+01:00"),
                at("2026-12-11T07:00+01:00"), true, "Tomorrow 07:00");
        dataRow("tomorrow, less than a day away", en, timed(Clock), at("2026-12-10T23:50+01:00"),
                at("2026-12-11T00:10+01:00"), true, "Tomorrow 00:10");
        dataRow("two days on: its weekday", en, timed(Clock), thursday,
                at("2026-12-12T07:00+01:00"), true, "Saturday 07:00");
        dataRow("six days on: still its weekday", en, timed(Clock), thursday,
                at("2026-12-16T07:00+01:00"), true, "Wednesday 07:00");
        dataRow("a week on: its date", en, timed(Clock), thursday, at("2026-12-17T07:00+01:00"),
                true, "17 Dec 07:00");
        dataRow("next year: the year too", en, onceOn(QDate(2027, 1, 5)), thursday,
                at("2027-01-05T07:00+01:00"), true, "5 Jan 2027 07:00");
        dataRow("now told in UTC, already tomorrow in the home", en, timed(Clock),
                at("2026-12-10T23:30Z"), at("2026-12-11T07:00+01:00"), true, "Today 07:00");
        dataRow("the run told in UTC, already tomorrow in the home", en, timed(Clock),
                at("2026-12-10T20:00+01:00"), at("2026-12-10T23:30Z"), true, "Tomorrow 00:30");
        dataRow("the run told in another zone: shown in the home's", en, timed(Clock), thursday,
                at("2026-12-10T18:00+09:00"), true, "Today 10:00");
        // The clocks go forward on 2027-03-28 (02:30 comes at 03:00) and back on 2026-10-25.
        dataRow("spring forward: the skipped time as it comes", en, onceOn(QDate(2027, 3, 28)),
                at("2027-03-27T23:30+01:00"), at("2027-03-28T03:00+02:00"), true, "Tomorrow 03:00");
        dataRow("the long day of autumn: still today 24 hours on", en, timed(Clock),
                at("2026-10-25T00:10+02:00"), at("2026-10-25T23:50+01:00"), true, "Today 23:50");
        dataRow("the short day of spring: tomorrow under 24 hours on", en, timed(Clock),
                at("2027-03-28T00:30+01:00"), at("2027-03-29T00:15+02:00"), true, "Tomorrow 00:15");
        dataRow("at sunset", en, timed(Sunset), thursday, at("2026-12-10T15:53+01:00"), true,
                "Today at sunset 15:53");
        dataRow("at sunrise", en, timed(Sunrise), at("2026-12-10T12:00+01:00"),
                at("2026-12-11T08:10+01:00"), true, "Tomorrow at sunrise 08:10");
        dataRow("before sunrise", en, timed(Sunrise, -30), at("2026-12-10T09:00+01:00"),
                at("2026-12-11T07:38+01:00"), true, "Tomorrow 07:38, 30 min before sunrise");
        dataRow("before sunset", en, timed(Sunset, -30), thursday, at("2026-12-10T15:23+01:00"),
                true, "Today 15:23, 30 min before sunset");
        dataRow("three hours after sunset: past midnight", en, timed(Sunset, 180),
                at("2026-12-10T20:00+01:00"), at("2026-12-11T00:53+01:00"), true,
                "Tomorrow 00:53, 180 min after sunset");
        dataRow("after sunrise on a weekday", en, timed(Sunrise, 45), thursday,
                at("2026-12-13T08:58+01:00"), true, "Sunday 08:58, 45 min after sunrise");

        dataRow("switched off", en, timed(Clock, 0, false), thursday, none, true, "Off");
        dataRow("once, passed", en, onceOn(QDate(2026, 12, 9)), thursday, none, true,
                "No next run: its date has passed");
        dataRow("the sun without a location", en, timed(Sunrise), thursday, none, false,
                "No next run: the home's location is not set");
        dataRow("polar night: no sunrise", en, timed(Sunrise), thursday, none, true,
                "No next run: the sun does not rise on the chosen days");
        dataRow("midnight sun: no sunset", en, timed(Sunset), thursday, none, true,
                "No next run: the sun does not set on the chosen days");
        Schedule noDay = timed(Clock);
        noDay.time.weekdays = Weekdays();
        dataRow("on no day", en, noDay, thursday, none, true, "No next run");

        // Every word in the reader's language, the values where the language puts them.
        const QString zh = QStringLiteral("zh_CN");
        dataRow("Chinese: today at sunset", zh, timed(Sunset), thursday,
                at("2026-12-10T15:53+01:00"), true, "今天 日落 15:53");
        dataRow("Chinese: before sunrise", zh, timed(Sunrise, -30), at("2026-12-10T09:00+01:00"),
                at("2026-12-11T07:38+01:00"), true, "明天 07:38，日出前 30 分钟");
        dataRow("Chinese: a weekday", zh, timed(Clock), thursday, at("2026-12-12T07:00+01:00"),
                true, "星期六 07:00");
        dataRow("Chinese: a date", zh, timed(Clock), thursday, at("2026-12-17T07:00+01:00"), true,
                "12月17日 07:00");
        dataRow("Chinese: next year", zh, onceOn(QDate(2027, 1, 5)), thursday,
                at("2027-01-05T07:00+01:00"), true, "2027年1月5日 07:00");
        dataRow("Chinese: switched off", zh, timed(Clock, 0, false), thursday, none, true, "关闭");
        dataRow("Chinese: once, passed", zh, onceOn(QDate(2026, 12, 9)), thursday, none, true,
                "无下次运行：日期已过");
    }
    void words()
    {
        QFETCH(QString, language);
        QFETCH(Schedule, schedule);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, next);
        QFETCH(bool, homeHasLocation);
        QFETCH(QString, expected);
        const ScheduleProblem::Words english = [](const char *source) {
            return QString::fromUtf8(source);
        };
        const ScheduleProblem::Words words = language == QLatin1String("en") ? english : chinese;
        const NextRunPhrase nextRun(QTimeZone("Europe/Berlin"), ScheduleWords(words));
        QCOMPARE(nextRun.of(schedule, next.isValid() ? std::optional(next) : std::nullopt, now,
                            homeHasLocation),
                 expected);
    }
};

ARDENTIA_TEST_MAIN(TestNextRunPhrase)
#include "tst_nextrunphrase.moc"
