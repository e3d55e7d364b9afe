// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// The scanner's intro: it covers the window with its text for 1.5 s, then
// splits into halves that slide out to the sides over 1.2 s and goes.
class VtScanAnimationView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShowMilliseconds = 1500;
    static constexpr int kSlideMilliseconds = 1200;

    VtScanAnimationView(const QString &text, QWidget *window);
    void start();

private:
    QLabel *m_left;
    QLabel *m_right;
};
