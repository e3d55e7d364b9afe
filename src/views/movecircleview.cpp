// SPDX-License-Identifier: GPL-3.0-or-later
#include "movecircleview.h"

#include <QPainter>

MoveCircleView::MoveCircleView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(120, 120);
    m_timer.setInterval(kStepMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle += kStepDegrees;
        ++m_steps;
        update();
        if (m_angle > 360.0) {
            m_timer.stop();
            Q_EMIT finished();
        }
    });
}

void MoveCircleView::start()
{
    m_timer.start();
}

void MoveCircleView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(227, 215, 205), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(rect()).adjusted(4, 4, -4, -4), 90 * 16,
                    -int(qMin(m_angle, 360.0) * 16));
}
