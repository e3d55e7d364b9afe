// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardmodality.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
bool g_active = false;
} // namespace

void KeyboardModality::follow()
{
    static KeyboardModality *const modality = [] {
        auto *created = new KeyboardModality();
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    Q_UNUSED(modality)
}

bool KeyboardModality::isActive()
{
    return g_active;
}

bool KeyboardModality::showsFocusRing(const QWidget *widget)
{
    return g_active && widget && widget->hasFocus();
}

void KeyboardModality::setActive(bool active)
{
    if (active == g_active)
        return;
    g_active = active;
    // The focused widget draws or drops its ring.
    if (QWidget *focused = QApplication::focusWidget())
        focused->update();
}

bool KeyboardModality::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool modifierAlone = key == Qt::Key_Shift || key == Qt::Key_Control ||
                                   key == Qt::Key_Alt || key == Qt::Key_Meta;
        if (!modifierAlone)
            setActive(true);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        setActive(false);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
