#include "keyboardactivation.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

KeyboardActivation::KeyboardActivation(QWidget *widget, std::function<void()> activate)
    : QObject(widget), m_activate(std::move(activate))
{
    widget->setFocusPolicy(Qt::TabFocus); // a touch or click does not leave a ring
    widget->installEventFilter(this);
}

void KeyboardActivation::drawFocusRing(QPainter &painter, const QRect &area, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
    painter.restore();
}

bool KeyboardActivation::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        widget->update();
        return false;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return false;
        QTimer::singleShot(0, this, m_activate);
        return true;
    }
    default:
        return false;
    }
}
