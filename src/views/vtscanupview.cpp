// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtscanupview.h"

#include <QPainter>

VtScanUpView::VtScanUpView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VtScanUpView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(width() / 6, height() / 8, -width() / 6, -height() / 8);
    painter.setPen(QPen(QColor(227, 215, 205), 4));
    const int mark = 24;
    for (const QPoint corner :
         {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()}) {
        const int dx = corner.x() == frame.left() ? mark : -mark;
        const int dy = corner.y() == frame.top() ? mark : -mark;
        painter.drawLine(corner, corner + QPoint(dx, 0));
        painter.drawLine(corner, corner + QPoint(0, dy));
    }
}
