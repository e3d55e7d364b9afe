// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointF>
#include <QPointer>

class QAbstractScrollArea;
class QMouseEvent;
class QPropertyAnimation;
class QScrollBar;
class QWidget;

// One finger scrolls a list on a touch screen, and keeps going for a moment
// when it lets go. A drag that starts mostly along the list becomes the
// list's: the widget under the finger has its press cancelled (a release far
// below it, which no row or button takes as a tap or a swipe) and sees
// nothing more of that touch. A drag that starts across stays the widget's
// (a row's swipe panel). The mouse, the wheel and the scroll bar are left as
// they are.
class TouchPan final : public QObject {
    Q_OBJECT

public:
    // Pixels a finger moves before the drag is judged vertical or sideways.
    static constexpr int kSlop = 10;
    static constexpr int kMomentumMilliseconds = 600;

    explicit TouchPan(QAbstractScrollArea *area, Qt::Orientation along = Qt::Vertical);
    // Without momentum the list stops where the finger left it, and the
    // owner decides from panEnded (pages settle on one).
    void setMomentum(bool on) { m_momentum = on; }
    // Mouse drags pan too (outside text fields), as on pages a desktop user
    // turns with the mouse.
    void setMouseToo(bool on) { m_mouseToo = on; }
    // Off: a new drag is left to the widget under it (a pan under way ends
    // as it would).
    void setEnabled(bool on) { m_enabled = on; }
    bool isPanning() const { return m_state == State::Panning; }
    bool isCoasting() const;

Q_SIGNALS:
    // The finger left after panning; velocity in pixels of content per
    // millisecond, positive towards the end of the list.
    void panEnded(double velocity);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class State { Idle, Undecided, Across, Panning };

    bool filterMouse(QWidget *receiver, QMouseEvent *event);
    void startPanning(QWidget *receiver, const QPointF &globalPosition);
    void coast();
    QScrollBar *bar() const;
    double along(const QPointF &point) const;
    double across(const QPointF &point) const;

    QAbstractScrollArea *m_area;
    Qt::Orientation m_along;
    bool m_momentum = true;
    bool m_mouseToo = false;
    bool m_enabled = true;
    bool m_cancelling = false;
    QPropertyAnimation *m_coasting;
    State m_state = State::Idle;
    QPointF m_start;
    QPointF m_last;
    int m_startValue = 0;
    double m_velocity = 0; // pixels per millisecond, of the content
    QElapsedTimer m_sinceLastMove;
};
