// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/alertpresenter.h"

#include <QWidget>

// Alerts as a panel over the window: the message and a row of buttons.
class VtAlertDialog final : public AlertPresenter {
public:
    explicit VtAlertDialog(QWidget *window) : m_window(window) {}
    void showAlert(const QString &message, const QStringList &buttons, Answer answer) override;
    QWidget *visibleAlert() const;

private:
    QWidget *m_window;
};
