// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardactivation.h"

#include "accessibleviews.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

KeyboardActivation::KeyboardActivation(QWidget *widget, std::function<void()> activate,
                                       QAccessible::Role role)
    : QObject(widget), m_activate(std::move(activate)), m_role(role)
{
    AccessibleViews::install();
    widget->setFocusPolicy(Qt::TabFocus); // a touch or click does not leave a ring
    widget->installEventFilter(this);
    AccessibleViews::renew(widget); // naming it may have made a plain one already
}

KeyboardActivation *KeyboardActivation::of(const QWidget *widget)
{
    return widget->findChild<KeyboardActivation *>(QString(), Qt::FindDirectChildrenOnly);
}

void KeyboardActivation::setExpanded(QWidget *widget, bool expanded)
{
    const QVariant before = widget->property(kExpandedProperty);
    widget->setProperty(kExpandedProperty, expanded);
    if (before.isValid() && before.toBool() == expanded)
        return;
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(widget, changed);
    QAccessible::updateAccessibility(&event);
}

void KeyboardActivation::drawFocusRing(QPainter &painter, const QRect &area, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
    painter.restore();
}

void KeyboardActivation::activate()
{
    QTimer::singleShot(0, this, m_activate);
}

void KeyboardActivation::showMenu()
{
    if (m_menu)
        QTimer::singleShot(0, this, m_menu);
}

bool KeyboardActivation::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        widget->update();
        return false;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            activate();
            return true;
        }
        if (m_menu && (key == Qt::Key_Left || key == Qt::Key_Right)) {
            showMenu();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}
