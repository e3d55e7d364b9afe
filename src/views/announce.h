// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Tells a screen reader what a transient widget (the toast, the connection
// banner) says. Qt 6.4 has no announcement event: the widget takes the alert
// role, is named by its text, and sends QAccessible::Alert.
namespace Announce {
// Gives the widget the alert role: before it is first shown, when assistive
// technology first meets it.
void makeAlert(QWidget *widget);
// Names the alert by its text and sends the event.
void alert(QWidget *widget, const QString &text);
} // namespace Announce
