// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulelistviewcontroller.h"

#include "control/homeevents.h"
#include "frame/navigationbar.h"
#include "schedule/nextrun.h"
#include "schedule/nextrunphrase.h"
#include "schedule/schedulestore.h"
#include "schedule/schedulewords.h"
#include "schedule/targetnames.h"
#include "schedulerow.h"
#include "store/database.h"
#include "views/tablearea.h"

#include <QLabel>
#include <QShowEvent>
#include <QTimeZone>

namespace {
QLabel *textLine(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setContentsMargins(16, 12, 16, 12);
    label->setStyleSheet(QStringLiteral("font-size: 14px; color: rgb(122, 110, 102);"));
    return label;
}
// Why it does not run: the home switched it off, the location is missing, or
// (one that is on, yet without a next run) the phrase's reason. One switched
// off by hand says so in its state already.
QString whyItDoesNotRun(const Schedule &schedule, bool runs, const ScheduleWords &words,
                        const NextRunPhrase &phrase, const QDateTime &now, bool located)
{
    if (schedule.enabled && schedule.time.followsTheSun() && !located)
        return words.noLocation();
    if (schedule.enabled && !runs)
        return phrase.noRun(schedule, now, located);
    return words.offReason(schedule.offReason);
}
} // namespace

ScheduleListViewController::ScheduleListViewController(QWidget *parent)
    : ParentViewController(tr("Schedules"), parent), m_table(new TableArea(this)),
      m_note(textLine(QStringLiteral("note"), m_table->rowsWidget())),
      m_empty(textLine(QStringLiteral("empty"), m_table->rowsWidget()))
{
    m_table->setObjectName(QStringLiteral("scheduleTable"));
    m_note->setText(whereTheyAreMade());
    m_empty->setText(tr("There are no schedules yet."));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->hide();
    m_table->rows()->addWidget(m_note);
    m_table->rows()->addWidget(m_empty);
    m_table->rows()->addStretch(1);
    connect(HomeEvents::instance(), &HomeEvents::homeReplaced, this,
            &ScheduleListViewController::updateMainView);
}

QString ScheduleListViewController::whereTheyAreMade()
{
    return tr("Schedules are made and changed on the bridge's web page or with ardentia-ctl.");
}

void ScheduleListViewController::updateMainView()
{
    Database *store = Database::instance();
    ScheduleStore schedules(store);
    const std::optional<QList<Schedule>> list = schedules.schedulesIfReadable();
    const std::optional<TargetNames> names = TargetNames::fromStore(store);
    const QString where = whereTheyAreMade();
    if (!list || !names) {
        // What was shown stays: the store may be read again next time.
        m_note->setText(
            QCoreApplication::translate("ShowAlertManager", "The home's data cannot be read") +
            QLatin1Char('\n') + where);
        return;
    }
    m_note->setText(where);
    // Told by this machine's clock and time zone, as the bridge runs them.
    const QDateTime moment = QDateTime::currentDateTime().toTimeZone(QTimeZone::systemTimeZone());
    const std::optional<HomeLocation> location = schedules.location();
    NextRunCalculator calculator(moment.timeZone(), location);
    const ScheduleWords words;
    const NextRunPhrase phrase(moment.timeZone(), words);
    m_table->rebuildRows([&] {
        qDeleteAll(m_rows);
        m_rows.clear();
        for (const Schedule &schedule : *list) {
            const std::optional<QDateTime> next = calculator.after(schedule, moment);
            ScheduleRow::Texts texts{
                schedule.name,
                words.state(schedule.enabled),
                words.action(schedule.action, names->of(schedule.action)),
                words.when(schedule.time),
                next ? tr("Next: %1").arg(phrase.run(schedule.time, *next, moment)) : QString(),
                whyItDoesNotRun(schedule, next.has_value(), words, phrase, moment,
                                location.has_value()),
                schedule.enabled};
            auto *row = new ScheduleRow(texts);
            // Below the note and above the "none yet" line and the stretch.
            m_table->rows()->insertWidget(int(m_rows.size()) + 1, row);
            m_rows.append(row);
        }
        m_empty->setVisible(m_rows.isEmpty());
    });
}

void ScheduleListViewController::showEvent(QShowEvent *event)
{
    ParentViewController::showEvent(event);
    if (!event->spontaneous())
        updateMainView();
}

void ScheduleListViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_table->setGeometry(0, NavigationBar::kHeight, width(), height() - NavigationBar::kHeight);
}
