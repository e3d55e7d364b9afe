// SPDX-License-Identifier: GPL-3.0-or-later
#include "enteractivation.h"

#include <QAbstractButton>
#include <QKeyEvent>

bool EnterActivation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button || !button->isEnabled() || key->modifiers() & ~Qt::KeypadModifier ||
        (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
        return false;
    button->click();
    return true;
}
