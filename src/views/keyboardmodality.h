// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// Whether the person is working the window with the keyboard: focus rings
// show only then, so a focus that moves by itself (a screen or the welcome
// pages closing) draws no ring until a key is pressed. A key press turns it
// on; a click or a touch turns it off again.
class KeyboardModality final : public QObject {
    Q_OBJECT

public:
    // Follows the application's input from now on; later calls change nothing.
    static void follow();
    static bool isActive();
    // The widget has the focus and the keyboard is in use: its ring shows.
    static bool showsFocusRing(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyboardModality() = default;
    static void setActive(bool active);
};
