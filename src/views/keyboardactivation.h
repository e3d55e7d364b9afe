// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QColor>
#include <QObject>
#include <QRect>

#include <functional>

class QPainter;
class QWidget;

// Lets a custom widget that acts on a touch take focus (Tab) and act on
// Enter or Space as well, and be spoken as what it is: a button, or a list
// row (role), open or closed (the widget's "expanded" property, when set).
// A row with a swipe panel opens it with Left or Right (the menu). The
// widget draws its own focus ring with drawFocusRing while it has the focus;
// it is repainted when that changes. The action runs on the next turn of the
// event loop (and not at all if the widget has gone by then): it may replace
// the widget that has the focus.
class KeyboardActivation final : public QObject {
    Q_OBJECT

public:
    static constexpr const char *kExpandedProperty = "expanded";

    KeyboardActivation(QWidget *widget, std::function<void()> activate,
                       QAccessible::Role role = QAccessible::Button);
    static void drawFocusRing(QPainter &painter, const QRect &area,
                              const QColor &colour = QColor(255, 255, 255, 230));
    static KeyboardActivation *of(const QWidget *widget);
    // Marks the widget open or closed and tells assistive technology.
    static void setExpanded(QWidget *widget, bool expanded);

    QAccessible::Role role() const { return m_role; }
    void setMenu(std::function<void()> menu) { m_menu = std::move(menu); }
    bool hasMenu() const { return bool(m_menu); }
    // As Enter would, and as the menu keys would.
    void activate();
    void showMenu();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_activate;
    std::function<void()> m_menu;
    QAccessible::Role m_role;
};
