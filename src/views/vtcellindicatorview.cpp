// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtcellindicatorview.h"

#include <QPainter>

VtCellIndicatorView::VtCellIndicatorView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(20, 20);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VtCellIndicatorView::setType(int type)
{
    m_type = type;
    update();
}

void VtCellIndicatorView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(69, 61, 59), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (m_type == 2)
        painter.drawPolyline(QPolygonF{{5, 8}, {10, 13}, {15, 8}}); // open: pointing down
    else
        painter.drawPolyline(QPolygonF{{8, 5}, {13, 10}, {8, 15}}); // collapsed: pointing right
}
