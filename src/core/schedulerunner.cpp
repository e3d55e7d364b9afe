// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulerunner.h"

#include "scheduledflows.h"

#include "base/logging.h"
#include "control/flowcaller.h"
#include "control/homeevents.h"
#include "schedule/hometargets.h"
#include "schedule/schedulecodec.h"
#include "schedule/schedulerules.h"
#include "schedule/schedulestore.h"
#include "store/database.h"

#include <QPointer>

#include <algorithm>

namespace {
// "done", or the kind of failure with the words a person is told and the
// home's code: "refused: Control failed / Please check device and network (code 3)".
QString describe(const FlowOutcome &outcome)
{
    if (outcome.isDone())
        return outcome.kindName();
    const FlowOutcome told = outcome.told();
    QStringList words;
    for (const QString &part : {told.title, told.detail})
        if (!part.isEmpty())
            words.append(part);
    QString text = outcome.kindName();
    if (!words.isEmpty())
        text += QStringLiteral(": ") + words.join(QStringLiteral(" / "));
    if (outcome.code)
        text += QStringLiteral(" (code %1)").arg(*outcome.code);
    return text;
}

// A home that refused, did not answer or was too busy may take it a minute later.
bool worthRetrying(FlowOutcome::Kind kind)
{
    return kind == FlowOutcome::Kind::Refused || kind == FlowOutcome::Kind::NoReply ||
           kind == FlowOutcome::Kind::Dropped;
}

QString nameOf(const Schedule &schedule)
{
    return QStringLiteral("schedule %1 \"%2\"").arg(schedule.id).arg(schedule.name);
}
} // namespace

// The starter of a scheduled run's flow: nobody answers its questions, and
// its outcome comes back to the runner (later, from the event loop: a flow
// may tell it before it has returned).
class ScheduleRunner::RunCaller final : public FlowCaller {
public:
    RunCaller(ScheduleRunner *runner, Schedule schedule, int attempt)
        : m_runner(runner), m_schedule(std::move(schedule)), m_attempt(attempt)
    {
    }

    void report(const FlowOutcome &outcome) override
    {
        if (!m_runner)
            return;
        QMetaObject::invokeMethod(
            m_runner.data(),
            [runner = m_runner, schedule = m_schedule, attempt = m_attempt, outcome] {
                runner->onOutcome(schedule, attempt, outcome);
            },
            Qt::QueuedConnection);
    }
    bool ask(const QString &, const QStringList &, AlertPresenter::Answer) override
    {
        return false;
    }
    void showProgress(double) override {}
    void stopProgress() override {}

private:
    QPointer<ScheduleRunner> m_runner;
    Schedule m_schedule;
    int m_attempt;
};

ScheduleRunner::ScheduleRunner(const HomeServices &home, Settings settings, QObject *parent)
    : QObject(parent), m_store(home.store), m_flows(home), m_settings(std::move(settings)),
      m_recordFile(m_settings.runsFile)
{
    m_timer.setSingleShot(true);
    // A coarse timer may be minutes off over an hour's wait.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ScheduleRunner::wake);
}

ScheduleRunner::~ScheduleRunner() = default;

void ScheduleRunner::start()
{
    m_records = m_recordFile.load();
    // A retry that waited while the bridge was away is tried within the
    // grace, as a missed run is; an older one is over.
    const QDateTime graceStart = m_settings.clock().addSecs(-kGraceSeconds);
    for (auto record = m_records.begin(); record != m_records.end(); ++record) {
        if (!record->retryAt.isValid())
            continue;
        if (record->retryAt > graceStart)
            m_retries.insert(record.key(), record->retryAt);
        else
            qCWarning(lcSchedule).noquote()
                << "schedule" << record.key() << "was to be tried again at"
                << record->retryAt.toString(Qt::ISODate) << "while the bridge was away: failed";
    }
    reload();
}

void ScheduleRunner::follow(HomeEvents *events)
{
    connect(events, &HomeEvents::homeReplaced, this, &ScheduleRunner::reload);
    connect(events, &HomeEvents::channelRemoved, this, &ScheduleRunner::reload);
    connect(events, &HomeEvents::scenarioRemoved, this, &ScheduleRunner::reload);
    connect(events, &HomeEvents::homeChangedElsewhere, this, &ScheduleRunner::reload);
}

void ScheduleRunner::switchOffUnrunnable()
{
    const std::optional<HomeTargets> targets = HomeTargets::fromStore(&m_store);
    if (!targets)
        return;
    for (const Schedule &off : ScheduleStore(&m_store).switchOffUnrunnable(*targets))
        if (const std::optional<ScheduleProblem> why = ScheduleRules::offReasonText(off))
            qCWarning(lcSchedule).noquote() << nameOf(off) << why->text();
}

void ScheduleRunner::reload()
{
    switchOffUnrunnable();
    ScheduleStore store(&m_store);
    const std::optional<QList<Schedule>> read = store.schedulesIfReadable();
    if (!read) {
        qCWarning(lcStore) << "the schedules cannot be read: they run as they were read last";
        arm();
        return;
    }
    // A schedule new or changed since the last reading is dealt with from
    // the moment it may have been made on: a change never brings back a run
    // that had passed before it, nor misses one due while it was on its way.
    const QDateTime madeSince = m_settings.clock().addSecs(-m_settings.changeLatencySeconds);
    ScheduleRunRecords::Records records;
    QHash<int, QDateTime> retries;
    for (const Schedule &schedule : *read) {
        const QJsonObject json = ScheduleCodec::toJson(schedule);
        const auto held = m_records.constFind(schedule.id);
        if (held != m_records.cend() && held->schedule == json)
            records.insert(schedule.id, *held);
        else
            records.insert(
                schedule.id,
                {held != m_records.cend() ? std::max(held->through, madeSince) : madeSince,
                 json,
                 {}});
        Record &record = records[schedule.id];
        if (schedule.enabled && m_retries.contains(schedule.id))
            retries.insert(schedule.id, m_retries.value(schedule.id));
        record.retryAt = retries.value(schedule.id);
    }
    m_calculator.emplace(m_settings.zone, store.location());
    m_schedules = *read;
    m_retries = retries;
    if (records != m_records) {
        m_records = records;
        saveRecords();
    }
    Q_EMIT listChanged();
    wake();
}

ScheduleRunner::Record &ScheduleRunner::recordOf(const Schedule &schedule)
{
    auto record = m_records.find(schedule.id);
    if (record == m_records.end())
        record = m_records.insert(schedule.id,
                                  {m_settings.clock(), ScheduleCodec::toJson(schedule), {}});
    return *record;
}

std::optional<QDateTime> ScheduleRunner::takeDueRun(const Schedule &schedule, const QDateTime &now)
{
    Record &record = recordOf(schedule);
    std::optional<QDateTime> due = m_calculator->after(schedule, record.through);
    if (!due || *due > now)
        return std::nullopt;
    const QDateTime graceStart = now.addSecs(-kGraceSeconds);
    if (*due <= graceStart) {
        qCWarning(lcSchedule).noquote()
            << nameOf(schedule) << "was due at" << due->toString(Qt::ISODate)
            << "while the bridge was away: skipped";
        record.through = graceStart;
        // A single run missed is over: switched off as one that ran.
        if (schedule.time.kind == ScheduleTime::Kind::Once)
            QMetaObject::invokeMethod(
                this, [this, schedule] { finish(schedule); }, Qt::QueuedConnection);
        due = m_calculator->after(schedule, graceStart);
        if (!due || *due > now)
            return std::nullopt;
    }
    // Of the runs due by now, the last alone runs.
    for (std::optional<QDateTime> later = m_calculator->after(schedule, *due);
         later && *later <= now; later = m_calculator->after(schedule, *later))
        due = later;
    record.through = *due;
    return due;
}

void ScheduleRunner::wake()
{
    m_timer.stop();
    if (!m_calculator) // not started
        return;
    const QDateTime now = m_settings.clock();
    const ScheduleRunRecords::Records before = m_records;
    QList<Schedule> due, retried;
    for (const Schedule &schedule : std::as_const(m_schedules))
        if (schedule.enabled && takeDueRun(schedule, now))
            due.append(schedule);
    for (auto retry = m_retries.begin(); retry != m_retries.end();) {
        if (*retry > now) {
            ++retry;
            continue;
        }
        const auto schedule =
            std::find_if(m_schedules.cbegin(), m_schedules.cend(),
                         [id = retry.key()](const Schedule &each) { return each.id == id; });
        if (schedule != m_schedules.cend() && schedule->enabled)
            retried.append(*schedule);
        if (auto record = m_records.find(retry.key()); record != m_records.end())
            record->retryAt = {};
        retry = m_retries.erase(retry);
    }
    const bool dealtWith = m_records != before;
    // Kept before anything starts: a crash during a run does not repeat it.
    if (dealtWith)
        saveRecords();
    for (const Schedule &schedule : std::as_const(due))
        run(schedule, 1);
    for (const Schedule &schedule : std::as_const(retried))
        run(schedule, 2);
    if (dealtWith)
        Q_EMIT listChanged();
    arm();
}

void ScheduleRunner::run(const Schedule &schedule, int attempt)
{
    qCInfo(lcSchedule).noquote() << nameOf(schedule) << (attempt > 1 ? "runs again" : "runs");
    const auto caller = std::make_shared<RunCaller>(this, schedule, attempt);
    const std::optional<ScheduledFlows::NotStarted> notStarted =
        m_flows.start(schedule.action, caller);
    if (!notStarted)
        return;
    // Told from the event loop, as a flow's outcome is.
    QMetaObject::invokeMethod(
        this,
        [this, schedule, attempt, notStarted = *notStarted] {
            onOutcome(schedule, attempt, FlowOutcome::invalidInput(notStarted.reason));
            if (notStarted.targetGone)
                reload(); // switched off, with the reason
        },
        Qt::QueuedConnection);
}

void ScheduleRunner::onOutcome(const Schedule &schedule, int attempt, const FlowOutcome &outcome)
{
    const QString text = describe(outcome);
    if (outcome.isDone()) {
        qCInfo(lcSchedule).noquote() << nameOf(schedule) << "ran:" << text;
        Q_EMIT ran(schedule, true, text, true);
        finish(schedule);
        return;
    }
    if (attempt == 1 && worthRetrying(outcome.kind)) {
        qCWarning(lcSchedule).noquote()
            << nameOf(schedule) << "did not run:" << text << "- tried again in a minute";
        const QDateTime retryAt = m_settings.clock().addSecs(kRetrySeconds);
        m_retries.insert(schedule.id, retryAt);
        recordOf(schedule).retryAt = retryAt;
        saveRecords();
        Q_EMIT ran(schedule, false, text, false);
        arm();
        return;
    }
    qCWarning(lcSchedule).noquote() << nameOf(schedule) << "failed:" << text;
    Q_EMIT ran(schedule, false, text, true);
    finish(schedule);
}

void ScheduleRunner::finish(const Schedule &schedule)
{
    if (schedule.time.kind != ScheduleTime::Kind::Once)
        return;
    ScheduleStore store(&m_store);
    std::optional<Schedule> stored = store.scheduleWithId(schedule.id);
    const std::optional<HomeTargets> targets = HomeTargets::fromStore(&m_store);
    if (!stored || !stored->enabled || !targets)
        return;
    stored->enabled = false;
    if (const std::optional<ScheduleProblem> problem = store.save(*stored, *targets))
        qCWarning(lcSchedule).noquote()
            << nameOf(schedule) << "ran once but stays on:" << problem->text();
    reload();
}

void ScheduleRunner::arm()
{
    if (!m_calculator)
        return;
    const QDateTime now = m_settings.clock();
    QDateTime soonest = now.addSecs(kLongestWaitSeconds);
    for (const Schedule &schedule : std::as_const(m_schedules)) {
        if (!schedule.enabled)
            continue;
        if (const std::optional<QDateTime> next =
                m_calculator->after(schedule, recordOf(schedule).through))
            soonest = std::min(soonest, *next);
    }
    for (const QDateTime &retry : std::as_const(m_retries))
        soonest = std::min(soonest, retry);
    m_wakeAt = soonest;
    m_timer.start(int(std::clamp<qint64>(now.msecsTo(soonest), 0, kLongestWaitSeconds * 1000)));
}

std::optional<QDateTime> ScheduleRunner::nextRunOf(const Schedule &schedule)
{
    if (!m_calculator)
        return std::nullopt;
    return m_calculator->after(schedule, std::max(recordOf(schedule).through, m_settings.clock()));
}

void ScheduleRunner::saveRecords()
{
    m_recordFile.save(m_records);
}
