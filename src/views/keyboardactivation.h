#pragma once

#include <QObject>
#include <QRect>

#include <functional>

class QPainter;
class QWidget;

// Lets a custom widget that acts on a touch take focus (Tab) and act on
// Enter or Space as well. The widget draws its own focus ring with
// drawFocusRing while it has the focus; it is repainted when that changes.
class KeyboardActivation final : public QObject {
    Q_OBJECT

public:
    KeyboardActivation(QWidget *widget, std::function<void()> activate);
    static void drawFocusRing(QPainter &painter, const QRect &area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_activate;
};
