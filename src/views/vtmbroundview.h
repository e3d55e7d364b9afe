// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A rounded translucent dark panel: the toast and the activity panel.
class VtMBRoundView : public QWidget {
    Q_OBJECT

public:
    explicit VtMBRoundView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
