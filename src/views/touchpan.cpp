// SPDX-License-Identifier: GPL-3.0-or-later
#include "touchpan.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QPropertyAnimation>
#include <QScrollBar>

namespace {
bool comesFromTouch(const QMouseEvent *event)
{
    const QPointingDevice *device = event->pointingDevice();
    return device && device->type() == QInputDevice::DeviceType::TouchScreen;
}
} // namespace

TouchPan::TouchPan(QAbstractScrollArea *area, Qt::Orientation along)
    : QObject(area), m_area(area), m_along(along),
      m_coasting(new QPropertyAnimation(bar(), "value", this))
{
    m_coasting->setEasingCurve(QEasingCurve::OutCubic);
    m_coasting->setDuration(kMomentumMilliseconds);
    qApp->installEventFilter(this);
}

bool TouchPan::isCoasting() const
{
    return m_coasting->state() == QAbstractAnimation::Running;
}

QScrollBar *TouchPan::bar() const
{
    return m_along == Qt::Vertical ? m_area->verticalScrollBar() : m_area->horizontalScrollBar();
}

double TouchPan::along(const QPointF &point) const
{
    return m_along == Qt::Vertical ? point.y() : point.x();
}

double TouchPan::across(const QPointF &point) const
{
    return m_along == Qt::Vertical ? point.x() : point.y();
}

bool TouchPan::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        break;
    default:
        return false;
    }
    if (m_cancelling)
        return false; // the release that cancels a press, sent below
    auto *receiver = qobject_cast<QWidget *>(watched);
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (!receiver || (!m_mouseToo && !comesFromTouch(mouse)))
        return false;
    if (m_state == State::Idle && (!m_enabled || event->type() != QEvent::MouseButtonPress ||
                                   !m_area->viewport()->isAncestorOf(receiver)))
        return false;
    // The mouse selects text in a field by dragging; a finger cannot.
    if (event->type() == QEvent::MouseButtonPress && !comesFromTouch(mouse) &&
        qobject_cast<QLineEdit *>(receiver)) {
        m_state = State::Idle;
        return false;
    }
    return filterMouse(receiver, mouse);
}

bool TouchPan::filterMouse(QWidget *receiver, QMouseEvent *event)
{
    const QPointF at = event->globalPosition();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A touch stops the list where it is, as a finger on a moving list does.
        m_coasting->stop();
        m_state = State::Undecided;
        m_start = m_last = at;
        m_startValue = bar()->value();
        m_velocity = 0;
        m_sinceLastMove.start();
        return false;
    case QEvent::MouseMove: {
        if (m_state == State::Undecided) {
            const QPointF moved = at - m_start;
            if (qAbs(along(moved)) > kSlop && qAbs(along(moved)) > qAbs(across(moved)))
                startPanning(receiver, at);
            else if (qAbs(across(moved)) > kSlop)
                m_state = State::Across;
        }
        if (m_state != State::Panning)
            return false;
        const qint64 elapsed = qMax<qint64>(1, m_sinceLastMove.restart());
        const double step = along(m_last) - along(at);
        // Smoothed, so that one jittery sample does not decide the throw.
        m_velocity = 0.6 * (step / double(elapsed)) + 0.4 * m_velocity;
        m_last = at;
        bar()->setValue(m_startValue + int(along(m_start) - along(at)));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const bool panned = m_state == State::Panning;
        m_state = State::Idle;
        if (!panned)
            return false;
        // A finger that stopped before it left throws nothing.
        if (m_sinceLastMove.elapsed() >= 100)
            m_velocity = 0;
        if (m_momentum)
            coast();
        Q_EMIT panEnded(m_velocity);
        return true;
    }
    default:
        return false;
    }
}

void TouchPan::startPanning(QWidget *receiver, const QPointF &globalPosition)
{
    m_state = State::Panning;
    m_start = globalPosition;
    m_startValue = bar()->value();
    // Cancels the press the row (or its button) took: released far below
    // where it began, it is neither a tap nor a sideways swipe.
    QWidget *grabber = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : receiver;
    const QPointF far = grabber->mapFromGlobal(globalPosition) + QPointF(0, 100000);
    QMouseEvent release(QEvent::MouseButtonRelease, far, grabber->mapTo(grabber->window(), far),
                        grabber->mapToGlobal(far), Qt::LeftButton, Qt::NoButton, Qt::NoModifier,
                        QPointingDevice::primaryPointingDevice());
    m_cancelling = true;
    QApplication::sendEvent(grabber, &release);
    m_cancelling = false;
}

void TouchPan::coast()
{
    QScrollBar *scrolled = bar();
    const int distance = int(m_velocity * kMomentumMilliseconds / 2.0);
    const int target =
        qBound(scrolled->minimum(), scrolled->value() + distance, scrolled->maximum());
    if (target == scrolled->value())
        return;
    m_coasting->setStartValue(scrolled->value());
    m_coasting->setEndValue(target);
    m_coasting->start();
}
