// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class QPropertyAnimation;
class QPushButton;

// What a swipe row tells the screen it belongs to.
class VtMoveCellTarget {
public:
    virtual ~VtMoveCellTarget() = default;
    // "0" while a horizontal drag is under way (table scrolling off), "1" after.
    virtual void VtMoveCellTableIfCanMoved(const QString &state) = 0;
    // "L", "R" (swipes), "P" (press), "D" (Delete button), "E" (Edit button).
    virtual void VtMoveCellSelector(QWidget *cell, const QString &moveType) = 0;
};

// A table row that tells swipes from presses and carries a swipe-out panel
// (130 points, anchored right) with Edit and Delete buttons.
class VtMoveCell : public QWidget {
    Q_OBJECT

public:
    static constexpr int kThreshold = 50;
    static constexpr int kPanelWidth = 130;
    static constexpr int kButtonSide = 60;
    static constexpr int kSlideMilliseconds = 200;

    // Panel modes: toggle (animated), close (animated), hide now, show now.
    enum PanelMode { Toggle = 0, Close = 1, HideNow = 2, ShowNow = 3 };

    explicit VtMoveCell(QWidget *parent = nullptr);
    // The row acts for this target: touches and swipes, and Enter or Space
    // once Tab has brought the focus to it (as a touch does).
    void viewTouched(VtMoveCellTarget *target);
    // Whether the screen opens a panel for this row: only then do the keys
    // and assistive technology offer it (after viewTouched).
    void setPanelOffered(bool offered);

    // True when the panel is closed (absent, hidden or parked beyond the right edge).
    bool getIfEditViewShow() const;
    // True when the panel was closed before the call (always for ShowNow).
    bool showOutSettingViewWithCellHeight(int height, int mode);
    QWidget *panel() const { return m_panel; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *editButton() const { return m_edit; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void select(const char *moveType);
    void ensurePanel(int height);
    void slidePanel(bool open);
    void finishTouch(const QPointF &end, bool cancelled);

    VtMoveCellTarget *m_target = nullptr;
    QWidget *m_panel = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_edit = nullptr;
    QPointer<QPropertyAnimation> m_slide;
    QPointF m_start;
    bool m_touching = false;
    bool m_moved = false;
    bool m_open = false;
};
