// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardreach.h"

#include <QApplication>
#include <QWidget>

namespace {
constexpr const char *kOwnPolicy = "keyboardReachOwnPolicy";

void setOne(QWidget *widget, bool reachable)
{
    const QVariant own = widget->property(kOwnPolicy);
    if (reachable && own.isValid()) {
        widget->setFocusPolicy(Qt::FocusPolicy(own.toInt()));
        widget->setProperty(kOwnPolicy, QVariant());
    } else if (!reachable && !own.isValid() && widget->focusPolicy() != Qt::NoFocus) {
        widget->setProperty(kOwnPolicy, int(widget->focusPolicy()));
        widget->setFocusPolicy(Qt::NoFocus);
    }
}
} // namespace

void KeyboardReach::set(QWidget *part, bool reachable)
{
    setOne(part, reachable);
    for (QWidget *widget : part->findChildren<QWidget *>())
        setOne(widget, reachable);
    QWidget *focused = QApplication::focusWidget();
    if (!reachable && focused && (focused == part || part->isAncestorOf(focused)))
        focused->clearFocus();
}
