// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scheduledflows.h"
#include "schedulerunrecords.h"

#include "control/flowoutcome.h"
#include "schedule/nextrun.h"
#include "schedule/schedule.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTimeZone>
#include <QTimer>

#include <functional>
#include <optional>

class Database;
class HomeEvents;

// Runs the home's schedules at their time, through the flows a person's
// press starts. One timer is armed for the soonest run (or retry), at most an
// hour ahead so that a clock that jumped is noticed. A run that fell due while
// the bridge was away runs late within a grace of a few minutes; older ones
// are skipped. A run the home refused or did not answer is tried once more a
// minute later, then reported as failed. How far each schedule has been dealt
// with is kept on disk: a restart never runs one twice.
class ScheduleRunner final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScheduleRunner)

public:
    using Clock = std::function<QDateTime()>;
    static constexpr qint64 kGraceSeconds = 5 * 60;
    static constexpr qint64 kRetrySeconds = 60;
    static constexpr qint64 kLongestWaitSeconds = 60 * 60;

    struct Settings {
        QString runsFile; // where the run records are kept
        QTimeZone zone = QTimeZone::systemTimeZone();
        Clock clock = [] { return QDateTime::currentDateTime(); };
        // How long after it was made a change may be read (by reload()).
        int changeLatencySeconds = 0;
    };

    // Reads the schedules from the home's store and runs them through its flows.
    ScheduleRunner(const HomeServices &home, Settings settings, QObject *parent = nullptr);
    ~ScheduleRunner() override;

    // Reads the schedules, runs what fell due within the grace, arms the timer.
    void start();
    // Reads the schedules and the location again (after a change elsewhere),
    // switching off those whose channel or scenario is gone.
    void reload();
    // Reloads after a synchronise, a channel's or scenario's removal, or a
    // change another program made to the store.
    void follow(HomeEvents *events);

    QList<Schedule> schedules() const { return m_schedules; }
    // The home's zone and the present moment, as the runner reckons with them.
    QTimeZone zone() const { return m_settings.zone; }
    QDateTime now() const { return m_settings.clock(); }
    // The run to come, in the home's zone; nothing for a schedule that has none.
    std::optional<QDateTime> nextRunOf(const Schedule &schedule);
    // When the timer wakes the runner next.
    QDateTime wakeAt() const { return m_wakeAt; }
    // What the timer does: every run (and retry) that is due, then the timer armed again.
    void wake();

Q_SIGNALS:
    // How a run ended: `final` is false for a failure that is tried again.
    void ran(const Schedule &schedule, bool done, const QString &outcome, bool final);
    // The schedules or their next runs changed.
    void listChanged();

private:
    class RunCaller;
    using Record = ScheduleRunRecords::Record;

    // Marks the runs due up to now as dealt with: the last of them is the
    // one to run, unless it is older than the grace.
    std::optional<QDateTime> takeDueRun(const Schedule &schedule, const QDateTime &now);
    void run(const Schedule &schedule, int attempt);
    void onOutcome(const Schedule &schedule, int attempt, const FlowOutcome &outcome);
    // After a final outcome, or a run missed: a single run's schedule is switched off.
    void finish(const Schedule &schedule);
    void switchOffUnrunnable();
    void arm();
    void saveRecords();
    Record &recordOf(const Schedule &schedule);

    Database &m_store;
    ScheduledFlows m_flows;
    Settings m_settings;
    ScheduleRunRecords m_recordFile;
    ScheduleRunRecords::Records m_records;
    QList<Schedule> m_schedules;
    std::optional<NextRunCalculator> m_calculator;
    QHash<int, QDateTime> m_retries; // by schedule ID: when it is tried again
    QDateTime m_wakeAt;
    QTimer m_timer;
};
