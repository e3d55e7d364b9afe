// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QString>

class QLabel;

// One schedule of the list, to read: its name and whether it is on, what it
// does, when, its next run, and why it does not run if it does not.
class ScheduleRow : public QFrame {
    Q_OBJECT

public:
    struct Texts {
        QString name;
        QString state;  // "On" / "Off"
        QString action; // "Run scenario Evening"
        QString when;   // "07:00, Mon–Fri"
        QString next;   // "Next: Tomorrow 07:00", or empty
        QString reason; // why it does not run ("No next run: its date has passed"), or empty
        bool enabled = true;
    };

    explicit ScheduleRow(const Texts &texts, QWidget *parent = nullptr);
    // Every line it shows, top to bottom.
    QStringList lines() const;

private:
    QLabel *line(const QString &text, const char *name, const QString &style);
};
