// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtconnectstateview.h"

#include <QPainter>
#include <QPainterPath>

VtConnectStateView::VtConnectStateView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(22, 22);
}

void VtConnectStateView::setSelectType(int type)
{
    m_type = type;
    update();
}

void VtConnectStateView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
    QPainterPath mark;
    if (m_type == 0) {
        mark.moveTo(6, 11.5);
        mark.lineTo(9.5, 15);
        mark.lineTo(16, 7.5);
    } else {
        mark.moveTo(7, 7);
        mark.lineTo(15, 15);
        mark.moveTo(15, 7);
        mark.lineTo(7, 15);
    }
    painter.drawPath(mark);
}
