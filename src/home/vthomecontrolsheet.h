// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/dismissable.h"
#include "views/focustrap.h"

#include <QVariantMap>
#include <QWidget>

class QLabel;
class QSlider;
class QVariantAnimation;

// The bottom sheet for one item of a home panel: the item's picture and
// name, and the controls of its kind. It sends nothing itself: it reports
// the chosen index (1 OFF / 2 ON, a level, 1 stop / 2 close / 3 open,
// 1 Enable) with its control type. A light shows its stored state: the
// current one of ON and OFF checked, or the level. "Cancel" and the dimmed background close it
// without a report.
class VtHomeControlSheet : public QWidget, public Dismissable {
    Q_OBJECT

public:
    // controlType: "1" switching light, "2" dimming light, "3" curtain, "4" scenario.
    static constexpr int kSlideMilliseconds = 200;
    static constexpr int kTopStripHeight = 66;
    static constexpr int kIconSide = 80;
    static int panelHeightFor(const QString &controlType);

    // value: the dimming level text (type "2").
    VtHomeControlSheet(const QString &controlType, const QString &value,
                       const QVariantMap &controlDictionary, QWidget *window);

    QString controlType() const { return m_controlType; }
    const QVariantMap &controlDictionary() const { return m_controlDictionary; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    QWidget *panel() const { return m_panel; }
    QSlider *slider() const { return m_slider; }
    // Whether an icon was found for the item.
    bool hasIcon() const;
    // The light's state as the home now confirms it (empty: unknown); a
    // slider being dragged keeps its place.
    void showState(const QString &turnOn);

    // Slides the panel up from below the window's bottom edge.
    void show();
    // Any button or background touch (tag 0 closes without a report).
    void actionSheetButtonPressed(int tag);
    void dismiss() override { actionSheetButtonPressed(0); }

Q_SIGNALS:
    void clickedButtonAtIndex(int index, const QString &controlType);

protected:
    bool focusNextPrevChild(bool next) override { return FocusTrap::cycle(this, next); }
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildIcon();
    void buildControls();
    void addButton(int tag, const QString &text, const QString &iconPath, int fromBottom);
    void showSwitchState();
    void showLevel(int level);
    // The slider moved: every whole level between the last one and this one.
    void sliderMovedTo(int level);

    QString m_controlType;
    QVariantMap m_controlDictionary;
    int m_tag = 0;
    int m_lastLevel = 0;
    bool m_closing = false;
    QWidget *m_panel;
    QWidget *m_icon = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_level = nullptr;
};
