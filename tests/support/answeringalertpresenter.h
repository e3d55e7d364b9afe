// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/alertpresenter.h"

#include <QTimer>

// Answers every alert with a chosen button, on the next turn of the loop
// as a person tapping it would; records what was asked.
class AnsweringAlertPresenter final : public AlertPresenter {
public:
    explicit AnsweringAlertPresenter(int answer = 0) : m_answer(answer) {}

    void showAlert(const QString &message, const QStringList &buttons, Answer answer) override
    {
        messages.append(message);
        lastButtons = buttons;
        if (m_answer >= 0)
            QTimer::singleShot(0, [answer, index = m_answer] { answer(index); });
    }

    QStringList messages;
    QStringList lastButtons;

private:
    int m_answer; // negative: never answers
};
