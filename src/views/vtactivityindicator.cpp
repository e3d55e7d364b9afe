// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtactivityindicator.h"

#include <QPainter>

VtActivityIndicator::VtActivityIndicator(Size size, QWidget *parent) : QWidget(parent)
{
    setFixedSize(size == Size::Large ? QSize(37, 37) : QSize(20, 20));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % 12;
        update();
    });
}

void VtActivityIndicator::startAnimating()
{
    m_timer.start();
}

void VtActivityIndicator::stopAnimating()
{
    m_timer.stop();
}

void VtActivityIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const double radius = width() / 2.0;
    for (int i = 0; i < 12; ++i) {
        QColor colour(Qt::white);
        colour.setAlphaF(0.25 + 0.75 * ((12 + i - m_step) % 12) / 11.0);
        painter.setPen(QPen(colour, radius / 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, radius * 0.45), QPointF(0, radius * 0.85));
        painter.rotate(30);
    }
}
