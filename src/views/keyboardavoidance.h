// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

class QWidget;

// Keeps part of a screen above the on-screen keyboard: how far the screen
// lays its content out higher (its lift) so that the part it keeps, the
// focused text field unless told otherwise, ends just above the keyboard;
// 0 when it is above already or no keyboard shows. The lift stays while the
// focus leaves the screen's fields with the keyboard still up. Followed only
// while the screen is visible; hiding the screen drops the lift.
class KeyboardAvoidance final : public QObject {
    Q_OBJECT

public:
    static constexpr int kGap = 8; // between the kept part and the keyboard

    // kept: the part to keep, in the screen's coordinates as laid out now;
    // without it, the text field that has the focus inside the screen.
    explicit KeyboardAvoidance(QWidget *screen, std::function<QRect()> kept = {});

    int lift() const { return m_lift; }
    bool keyboardShown() const { return m_shown; }

Q_SIGNALS:
    // The lift or whether the keyboard shows changed: lay the content out again.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    QRect keptArea() const;
    void set(int lift, bool shown);

    QPointer<QWidget> m_screen;
    std::function<QRect()> m_kept;
    int m_lift = 0;
    bool m_shown = false;
};
