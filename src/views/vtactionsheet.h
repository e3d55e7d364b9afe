// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dismissable.h"
#include "focustrap.h"

#include <QStringList>
#include <QWidget>

// A sheet of buttons rising from the bottom of its parent. "Cancel" is
// button 0; the others are numbered from 1 in the order given. Touching the
// dimmed background cancels too.
class VtActionSheet : public QWidget, public Dismissable {
    Q_OBJECT

public:
    VtActionSheet(const QStringList &buttons, int tag, QWidget *parent);
    int tag() const { return m_tag; }
    void showSheet();
    void dismiss() override { choose(0); }

Q_SIGNALS:
    void clickedButtonAtIndex(int index);

protected:
    bool focusNextPrevChild(bool next) override { return FocusTrap::cycle(this, next); }
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void choose(int index);

    int m_tag;
    QWidget *m_panel;
};
