// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The scanner's frame: corner marks drawn over the live picture.
class VtScanUpView : public QWidget {
    Q_OBJECT

public:
    explicit VtScanUpView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
