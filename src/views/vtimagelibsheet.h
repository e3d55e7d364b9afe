// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dismissable.h"
#include "focustrap.h"

#include <QWidget>

// The ten built-in icons in a grid of four a row, with "Cancel" (index 0);
// icon k is index k + 1.
class VtImageLibSheet : public QWidget, public Dismissable {
    Q_OBJECT

public:
    explicit VtImageLibSheet(QWidget *window);
    void showSheet();
    void dismiss() override { choose(0); }

Q_SIGNALS:
    void clickedButtonAtIndex(int index);

protected:
    bool focusNextPrevChild(bool next) override { return FocusTrap::cycle(this, next); }
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void choose(int index);
};
