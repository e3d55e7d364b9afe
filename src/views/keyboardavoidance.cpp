// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardavoidance.h"

#include "onscreenkeyboard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

KeyboardAvoidance::KeyboardAvoidance(QWidget *screen, std::function<QRect()> kept)
    : QObject(screen), m_screen(screen), m_kept(std::move(kept))
{
    connect(OnScreenKeyboard::instance(), &OnScreenKeyboard::areaChanged, this,
            &KeyboardAvoidance::follow);
    if (!m_kept) // a part of its own to keep does not move with the focus
        connect(qApp, &QApplication::focusChanged, this, &KeyboardAvoidance::follow);
    screen->installEventFilter(this);
}

bool KeyboardAvoidance::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_screen)
        return false;
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        follow();
    else if (event->type() == QEvent::Resize) // once the screen has laid itself out
        QMetaObject::invokeMethod(this, &KeyboardAvoidance::follow, Qt::QueuedConnection);
    return false;
}

void KeyboardAvoidance::follow()
{
    const QRect keyboard = OnScreenKeyboard::instance()->area();
    if (!m_screen || !m_screen->isVisible() || keyboard.isEmpty()) {
        set(0, false);
        return;
    }
    const QRect kept = keptArea();
    if (kept.isEmpty()) { // nothing to keep in sight (the focus left): stay where it is
        set(m_lift, true);
        return;
    }
    const int keyboardTop = m_screen->mapFrom(m_screen->window(), keyboard.topLeft()).y();
    const int bottomUnlifted = kept.y() + kept.height() + m_lift;
    set(qMax(0, bottomUnlifted + kGap - keyboardTop), true);
}

QRect KeyboardAvoidance::keptArea() const
{
    if (m_kept)
        return m_kept();
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !m_screen->isAncestorOf(focus) ||
        !focus->testAttribute(Qt::WA_InputMethodEnabled))
        return {};
    return QRect(focus->mapTo(m_screen, QPoint(0, 0)), focus->size());
}

void KeyboardAvoidance::set(int lift, bool shown)
{
    if (lift == m_lift && shown == m_shown)
        return;
    m_lift = lift;
    m_shown = shown;
    Q_EMIT changed();
}
