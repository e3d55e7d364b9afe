// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "swipetracker.h"

#include <QColor>
#include <QList>
#include <QVariantMap>
#include <QWidget>

#include <functional>

class HomeDarkItem;
class QLabel;
class QPushButton;
class QVariantAnimation;

// The home screen's function tiles, in their order.
struct HomeFunction {
    QString detail;
    QString function;
    QString imageName;
    QColor top;
    QColor bottom;

    static QList<HomeFunction> readAllHomeFunctionInfo();
};

// Who follows a sideways drag that starts on a tile (the home screen's menu).
class SidewaysDragTarget {
public:
    enum class Phase { Began, Moved, Ended };
    virtual ~SidewaysDragTarget() = default;
    virtual void sidewaysDrag(Phase phase, double globalX) = 0;
};

// One function tile with its hidden panel. A finger moving down more than
// 40 points over the tile opens the panel, up closes it; the pull handle
// toggles it; a plain touch opens the area's screen. The open panel lists
// the first items of the area (rows of 80 points) and an "All" button.
// Items read again (the panel opened, the home's states refreshed) are the
// same widgets showing new contents, so the keyboard's focus, a finger on
// one and the sheet opened from one keep their item.
class HomeFunctionTile : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTileHeight = 92;
    static constexpr int kHandleHeight = 18;
    static constexpr int kItemHeight = 80;
    static constexpr int kIconSide = 58;
    static constexpr int kAnimationMilliseconds = 400;
    static constexpr double kTapSlop = 8;

    // area: "1" lighting, "2" curtain, "3" scenario.
    HomeFunctionTile(const HomeFunction &function, const QString &area, QWidget *parent = nullptr);

    QString area() const { return m_area; }
    const HomeFunction &function() const { return m_function; }
    // The items the panel shows, asked for each time it opens.
    void setItemSource(std::function<QList<QVariantMap>()> source) { m_source = std::move(source); }
    void setShownItems(int count) { m_shownItems = count; }
    void setSidewaysDragTarget(SidewaysDragTarget *target) { m_dragTarget = target; }

    bool isOpen() const { return m_open; }
    // The panel is sliding open or closed.
    bool isMoving() const;
    void setOpen(bool open, bool animated);
    void toggle() { setOpen(!m_open, true); }
    int itemCount() const { return int(m_items.size()); }
    QWidget *itemAt(int index) const;
    QLabel *hint() const { return m_hint; }
    QPushButton *allButton() const { return m_all; }
    QWidget *pullHandle() const { return m_handle; }

Q_SIGNALS:
    // The tile or its "All" button was touched.
    void functionPressed(const QString &function);
    // An item of the panel; position counts from 1.
    void itemPressed(const QString &area, int position, const QVariantMap &record);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class Gesture { None, Undecided, Vertical, Sideways };
    bool startsOnTile(QPointF at) const;
    void readItems();
    void layoutParts();
    void setPanelHeight(int height);
    void fingerDown(int finger, QPointF local, QPointF global);
    void fingerMoved(int finger, QPointF local, QPointF global);
    void fingerUp(int finger, QPointF local, QPointF global);

    HomeFunction m_function;
    QString m_area;
    std::function<QList<QVariantMap>()> m_source;
    int m_shownItems = 3;
    bool m_open = false;
    int m_panelHeight = 0;
    SwipeTracker m_swipes;
    SidewaysDragTarget *m_dragTarget = nullptr;
    Gesture m_gesture = Gesture::None;
    QPointF m_pressAt;
    QLabel *m_icon;
    QLabel *m_title;
    QLabel *m_hint;
    QPushButton *m_all;
    QWidget *m_handle;
    QWidget *m_panel;
    QList<HomeDarkItem *> m_items;
    QVariantAnimation *m_animation;
};
