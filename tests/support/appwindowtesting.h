// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/appwindow.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "views/widgetfeedbackpresenter.h"

#include <QLabel>

// What tests that drive the app window look at.
namespace AppWindowTesting {
// The title of the toast on the window, or nothing.
inline QString lastToast(const AppWindow &window)
{
    QWidget *toast = window.feedbackPresenter()->toast();
    return toast ? toast->findChild<QLabel *>()->text() : QString();
}

// No command outstanding, queued or with follow-ups still to run.
inline bool channelSettled()
{
    return UDPSocketManager::instance()->isSettled();
}
} // namespace AppWindowTesting
