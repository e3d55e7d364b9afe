// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtmbroundview.h"

#include <QPainter>

VtMBRoundView::VtMBRoundView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VtMBRoundView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRoundedRect(rect(), 10, 10);
}
