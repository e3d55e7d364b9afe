// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerequest.h"

#include <QDate>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

class Database;

class ScheduleRequests;
class ScheduleRunner;

// The home's schedules as the pages of the web remote show them: each with
// when it runs and its next run in words of the page's language and the
// home's time, and why the home switched it off; an owner's change made
// through ScheduleRequests (the checks of the command-line tool and MQTT),
// its refusal in the page's language. What a page shows may change after
// every change to the list, from anywhere, after every run, and when the
// home's day changes ("Tomorrow" becomes "Today").
class PageSchedules final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageSchedules)

public:
    PageSchedules(Database &store, ScheduleRunner *runner, ScheduleRequests *requests,
                  QObject *parent = nullptr);

    // {"type":"schedules","schedules":[{ScheduleListing's entry, "whenText":
    //  ..., "actionText": ..., "nextText": ...}], "location":{"latitude":
    //  ...,"longitude":...} or null}: when each runs, what it does and its
    // next run in the words the app's schedule list uses; the home's
    // location (where it is) for an owner's page only.
    QJsonObject list(const QString &language, bool forOwner);
    // {"type":"scheduleDone","verb":...,"id":N} (no ID for the location), or
    // the refusal as a page error "scheduleRefused" with its reason.
    QJsonObject change(const PageRequest::ChangeSchedule &request, const QString &language);

Q_SIGNALS:
    // What the pages show of the schedules may have changed.
    void changed();

private:
    void armDayChange();

    Database &m_store;
    ScheduleRunner *m_runner;
    ScheduleRequests *m_requests;
    QDate m_today; // the home's, as last shown
    QTimer m_dayChange;
};
