// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

// The days of the week a schedule runs on, Monday to Sunday.
class Weekdays {
public:
    constexpr Weekdays() = default;
    static constexpr Weekdays everyDay() { return Weekdays(0x7f); }
    static constexpr Weekdays fromBits(quint8 bits) { return Weekdays(bits & 0x7f); }

    bool contains(int dayOfWeek) const { return m_bits & bit(dayOfWeek); }
    void add(int dayOfWeek) { m_bits |= bit(dayOfWeek); }
    bool isEmpty() const { return m_bits == 0; }
    quint8 bits() const { return m_bits; }
    bool operator==(const Weekdays &) const = default;

    // The days as they are written: three or more in a row as one span
    // (Mon–Fri), any other day on its own (first == last).
    struct Span {
        int first;
        int last;
    };
    QList<Span> spans() const
    {
        QList<Span> spans;
        for (int day = 1; day <= 7; ++day) {
            if (!contains(day))
                continue;
            int last = day;
            while (last < 7 && contains(last + 1))
                ++last;
            if (last - day < 2)
                last = day;
            spans.append({day, last});
            day = last;
        }
        return spans;
    }

private:
    explicit constexpr Weekdays(quint8 bits) : m_bits(bits) {}
    // Qt's day numbers: 1 is Monday, 7 Sunday.
    static quint8 bit(int dayOfWeek)
    {
        return dayOfWeek >= 1 && dayOfWeek <= 7 ? quint8(1u << (dayOfWeek - 1)) : 0;
    }
    quint8 m_bits = 0;
};

// What a schedule does when it runs.
struct ScheduleAction {
    enum class Kind { RunScenario, Switch, Dim, Curtain };
    enum class Motion { Open, Close, Stop };

    Kind kind = Kind::RunScenario;
    QString target;               // the scenario's number or the channel's ID
    bool on = false;              // Switch
    int level = 0;                // Dim: 0 to 100
    Motion motion = Motion::Open; // Curtain
    bool operator==(const ScheduleAction &) const = default;

    bool targetsScenario() const { return kind == Kind::RunScenario; }
};

// When a schedule runs: a clock time on chosen weekdays, sunrise or sunset
// moved by an offset on chosen weekdays, or once at a clock time on a date.
struct ScheduleTime {
    enum class Kind { Clock, Sunrise, Sunset, Once };
    static constexpr int kMaxOffsetMinutes = 180;

    Kind kind = Kind::Clock;
    QTime at;                                 // Clock, Once: hours and minutes
    Weekdays weekdays = Weekdays::everyDay(); // Clock, Sunrise, Sunset
    int offsetMinutes = 0;                    // Sunrise, Sunset: after (+) or before (-)
    QDate date;                               // Once
    bool operator==(const ScheduleTime &) const = default;

    bool followsTheSun() const { return kind == Kind::Sunrise || kind == Kind::Sunset; }
};

// One schedule of the home, as it is stored.
struct Schedule {
    static constexpr qsizetype kMaxNameLength = 40;

    // Why the home switched it off: its target is gone, or is no longer what
    // the action drives. Cleared when the owner switches it on again.
    enum class OffReason { None, ChannelRemoved, ScenarioRemoved, ChannelChanged };

    int id = 0; // its row in the store; 0 until it is stored
    QString name;
    ScheduleAction action;
    ScheduleTime time;
    bool enabled = true;
    OffReason offReason = OffReason::None;
    bool operator==(const Schedule &) const = default;
};
