// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The expand indicator of a row or section: collapsed (type 1) or open (type 2).
class VtCellIndicatorView : public QWidget {
    Q_OBJECT

public:
    explicit VtCellIndicatorView(QWidget *parent = nullptr);
    void setType(int type);
    int type() const { return m_type; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_type = 1;
};
