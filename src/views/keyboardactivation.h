#pragma once

#include <QColor>
#include <QObject>
#include <QRect>

#include <functional>

class QPainter;
class QWidget;

// Lets a custom widget that acts on a touch take focus (Tab) and act on
// Enter or Space as well. The widget draws its own focus ring with
// drawFocusRing while it has the focus; it is repainted when that changes.
// The action runs on the next turn of the event loop (and not at all if the
// widget has gone by then): it may replace the widget that has the focus.
class KeyboardActivation final : public QObject {
    Q_OBJECT

public:
    KeyboardActivation(QWidget *widget, std::function<void()> activate);
    static void drawFocusRing(QPainter &painter, const QRect &area,
                              const QColor &colour = QColor(255, 255, 255, 230));

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_activate;
};
