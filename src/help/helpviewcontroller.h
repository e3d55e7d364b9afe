// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

#include <QList>

class QPushButton;
class TableArea;

// The help list: four topics and the installation guide.
class HelpViewController : public ParentViewController {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 55;

    explicit HelpViewController(QWidget *parent = nullptr);
    int rowCount() const { return int(m_rows.size()); }
    QPushButton *row(int index) const { return m_rows.value(index); }
    // Opens the row's topic (or the guide) above this screen.
    void cellButtonPressed(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TableArea *m_table;
    QList<QPushButton *> m_rows;
};
