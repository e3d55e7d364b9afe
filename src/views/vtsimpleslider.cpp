// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtsimpleslider.h"

#include "accessibleviews.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

VtSimpleSlider::VtSimpleSlider(QWidget *parent)
    : QWidget(parent), m_minus(new QPushButton(QStringLiteral("−"), this)),
      m_plus(new QPushButton(QStringLiteral("+"), this))
{
    AccessibleViews::install();
    m_minus->setObjectName(QStringLiteral("minus"));
    m_plus->setObjectName(QStringLiteral("plus"));
    m_minus->setAccessibleName(tr("Less"));
    m_plus->setAccessibleName(tr("More"));
    for (QPushButton *button : {m_minus, m_plus}) {
        button->setFixedSize(kButtonSide, kButtonSide);
        button->setStyleSheet(QStringLiteral("color: #45403b; border: none; font-size: 18px;"));
    }
    connect(m_minus, &QPushButton::clicked, this, [this] { step(-10); });
    connect(m_plus, &QPushButton::clicked, this, [this] { step(10); });
}

void VtSimpleSlider::setRange(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

double VtSimpleSlider::value() const
{
    return m_minimum + (m_maximum - m_minimum) / 100.0 * m_position;
}

void VtSimpleSlider::setValue(double value)
{
    const double span = m_maximum - m_minimum;
    m_position = span > 0 ? qBound(0.0, (value - m_minimum) * 100.0 / span, 100.0) : 0.0;
    valueShown();
}

void VtSimpleSlider::moveTo(double value)
{
    setValue(value);
    send();
}

void VtSimpleSlider::step(double by)
{
    m_position = qBound(0.0, m_position + by, 100.0);
    valueShown();
    send();
}

void VtSimpleSlider::valueShown()
{
    update();
    QAccessibleValueChangeEvent event(this, value());
    QAccessible::updateAccessibility(&event);
}

void VtSimpleSlider::send()
{
    if (m_target)
        m_target->VtSimpleSliderViewTouched(this);
}

void VtSimpleSlider::mousePressEvent(QMouseEvent *event)
{
    m_dragging = true;
    m_moved = false;
    m_lastX = event->position().x();
}

void VtSimpleSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    if (!m_moved && m_target)
        m_target->VtSimpleSliderViewTouched(nullptr);
    m_moved = true;
    const double x = event->position().x();
    m_position = qBound(0.0, m_position + width() / 500.0 * (x - m_lastX), 100.0);
    m_lastX = x;
    valueShown();
}

void VtSimpleSlider::mouseReleaseEvent(QMouseEvent *)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (m_moved)
        send(); // one value a drag, at its end
}

void VtSimpleSlider::resizeEvent(QResizeEvent *)
{
    const int top = (height() - kButtonSide) / 2;
    m_minus->move(int(kButtonInset), top);
    m_plus->move(int(width() - kButtonInset - kButtonSide), top);
}

void VtSimpleSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double left = kButtonInset * 2 + kButtonSide;
    const double right = width() - left;
    const double y = height() / 2.0;
    painter.setPen(QPen(QColor(180, 168, 158), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    const double knob = left + (right - left) * m_position / 100.0;
    painter.setPen(QPen(QColor(69, 61, 59), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left, y), QPointF(knob, y));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(knob, y), 9, 9);
}
