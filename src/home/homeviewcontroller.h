// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homelists.h"
#include "control/homeservices.h"
#include "frame/parentnavigationviewcontroller.h"
#include "homefunctiontile.h"

#include <QElapsedTimer>
#include <QPointer>

class HomeMenuView;
class HomeScenarioStrip;
class LevelSender;
class QAbstractAnimation;
class QScrollArea;
class VtHomeControlSheet;

// The root screen. The main panel (bar, three function tiles with hidden
// quick-control panels, the scenario strip) slides right to uncover the
// settings menu beneath it.
class HomeViewController : public ParentNavigationViewController, public SidewaysDragTarget {
    Q_OBJECT

public:
    static constexpr int kMenuGuardMilliseconds = 1000;
    static constexpr int kMenuFadeMilliseconds = 300;

    explicit HomeViewController(const HomeServices &home, QWidget *parent = nullptr);
    ~HomeViewController() override;

    QWidget *contentView() override;
    void updateCenterView();
    void updateMainView() override { updateCenterView(); }
    void navRightButtonItemPressed() override;
    void navLeftButtonItemPressed() override;
    int refreshCount() const { return m_refreshes; }

    const QList<QVariantMap> &lightingArray() const { return m_lists.lightingArray; }
    const QList<QVariantMap> &curtainArray() const { return m_lists.curtainArray; }
    const QList<QVariantMap> &scenarioArray() const { return m_lists.scenarioArray; }
    HomeFunctionTile *tile(int index) const { return m_tiles.value(index); }
    HomeScenarioStrip *strip() const { return m_strip; }
    HomeMenuView *menu() const { return m_leftView; }
    QWidget *centerView() const { return m_centerView; }
    bool ifShowLeftView() const { return m_ifShowLeftView; }

    void showLeftViewNormal(bool show, bool animate);
    void upAllDarkView();
    // What the home confirmed, or could not tell, reaches the lighting list,
    // its open panel and an open sheet; the lists keep their order and the
    // strip its page.
    // The state the home confirmed last, or that it could not tell one.
    void showLiveState(const QString &deviceId);
    void functionButtonPressed(const QString &function);
    void cellButtonPressed(int row);
    // Opens the control sheet for an item of a hidden panel.
    VtHomeControlSheet *darkItemPressed(const QString &area, int position,
                                        const QVariantMap &record);
    void controlSheetChose(const QString &area, const QVariantMap &record, int index,
                           const QString &controlType);
    void controlButtonPressed(int scenarioIndex);
    void sidewaysDrag(Phase phase, double globalX) override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    HomeServices m_home;
    void layoutLeftView();
    void layoutCenterView();
    void moveCenterViewTo(int x, bool overshoot);
    void setCenterTouchable(bool touchable);
    void realphaNavigationView();
    void confirmMenuAction(int sheetTag, const QString &button);
    QList<QVariantMap> *listOfArea(const QString &area);
    // A light's state as the lists hold it; empty when unknown.
    QString shownStateOf(const QString &deviceId) const;

    HomeLists m_lists;
    bool m_ifShowLeftView = false;
    QElapsedTimer m_lastControlTime;
    HomeMenuView *m_leftView = nullptr;
    QWidget *m_centerView = nullptr;
    QScrollArea *m_content = nullptr;
    QList<HomeFunctionTile *> m_tiles;
    HomeScenarioStrip *m_strip = nullptr;
    QPointer<QAbstractAnimation> m_slide;
    LevelSender *m_levels;
    double m_dragStartGlobalX = 0;
    int m_dragStartPanelX = 0;
    int m_refreshes = 0;
};
