// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

#include <QList>

class QLabel;
class ScheduleRow;
class TableArea;

// The home's schedules, to read: each one's name, action, time, state and
// next run. They are made and changed on the bridge (its web page,
// ardentia-ctl, MQTT), so the list says where, and reads the store again
// each time it is shown and when a synchronisation replaced the home.
class ScheduleListViewController : public ParentViewController {
    Q_OBJECT

public:
    explicit ScheduleListViewController(QWidget *parent = nullptr);

    void updateMainView() override;
    int rowCount() const { return int(m_rows.size()); }
    ScheduleRow *row(int index) const { return m_rows.value(index); }
    // The line above the rows: where schedules are made, and whether there
    // are any or the store could not be read.
    QLabel *note() const { return m_note; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static QString whereTheyAreMade();

    TableArea *m_table;
    QLabel *m_note;
    QLabel *m_empty;
    QList<ScheduleRow *> m_rows;
};
