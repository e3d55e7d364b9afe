// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"
#include "scheduleproblem.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>

// A schedule in a person's words: what it does, when, why the home switched
// it off. The texts are English sentences marked for translation in the
// "ScheduleWords" context; the Words given put them in the reader's language
// (the app's by default, a page's for the web remote).
class ScheduleWords {
    Q_DECLARE_TR_FUNCTIONS(ScheduleWords)

public:
    using Words = ScheduleProblem::Words;
    static QString appWords(const char *source) { return tr(source); }

    explicit ScheduleWords(Words words = appWords) : m_words(std::move(words)) {}

    // "Run scenario Evening", "Hall on", "Dimmer to 40%", "Curtain open":
    // targetName is the scenario's or channel's name as the home calls it.
    QString action(const ScheduleAction &action, const QString &targetName) const;
    // "07:00, Mon–Fri", "30 min before sunset, every day", "Once on 24 Dec 2026 at 07:00".
    QString when(const ScheduleTime &time) const;
    // "every day", "Mon–Fri", "Mon, Wed", "Mon–Thu, Sat".
    QString days(const Weekdays &days) const;
    // Why the home switched it off; empty when it did not.
    QString offReason(Schedule::OffReason reason) const;
    // Why one that follows the sun does not run: the home's location is not set.
    QString noLocation() const;
    // "On" or "Off".
    QString state(bool enabled) const;

    // A day's full name (1 Monday to 7 Sunday), and a date as the language writes it.
    QString dayName(int dayOfWeek) const;
    QString date(QDate date, bool withYear = true) const;

    // The translated text with %1, %2... filled in one pass (a value that
    // itself holds "%2" is left as it is).
    QString filled(const char *source, const QStringList &values = {}) const;

private:
    Words m_words;
};
