// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Asks the user a question with buttons and reports the index chosen. The
// widget dialog and headless answerers (the command-line tool, tests)
// implement it.
class AlertPresenter {
public:
    using Answer = std::function<void(int buttonIndex)>;

    virtual ~AlertPresenter() = default;
    // An alert without title; buttons[0] is the cancel-position button.
    virtual void showAlert(const QString &message, const QStringList &buttons, Answer answer) = 0;
};
