// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Enter (Return or the keypad's Enter) presses the focused button, as Space
// does: Qt's buttons outside a dialog take only Space.
class EnterActivation final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
