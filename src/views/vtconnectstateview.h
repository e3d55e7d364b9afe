// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The connection banner's mark: select type 0 draws a tick, 1 a cross.
class VtConnectStateView : public QWidget {
    Q_OBJECT

public:
    explicit VtConnectStateView(QWidget *parent = nullptr);
    void setSelectType(int type);
    int selectType() const { return m_type; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_type = 1;
};
