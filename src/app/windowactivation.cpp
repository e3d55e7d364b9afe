// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowactivation.h"

#include "control/applifecycle.h"

#include <QEvent>

WindowActivation::WindowActivation(QWidget *window, AppLifecycle &lifecycle)
    : QObject(window), m_window(window), m_lifecycle(lifecycle)
{
    m_keepAlive.setInterval(kKeepAliveMilliseconds);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { m_lifecycle.locateMasterQuietly(); });
    window->installEventFilter(this);
}

void WindowActivation::start()
{
    follow();
}

bool WindowActivation::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::WindowStateChange:
        case QEvent::Show:
        case QEvent::Hide:
            // The state has changed when the event comes; act on it once the
            // window has settled.
            QMetaObject::invokeMethod(this, &WindowActivation::follow, Qt::QueuedConnection);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowActivation::follow()
{
    const bool shown = m_window && m_window->isVisible() && !m_window->isMinimized();
    if (shown == m_active)
        return;
    m_active = shown;
    if (shown) {
        m_lifecycle.applicationDidBecomeActive();
        m_keepAlive.start();
    } else {
        m_keepAlive.stop();
        m_lifecycle.applicationWillResignActive();
    }
}
