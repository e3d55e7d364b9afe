// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parentpresentviewcontroller.h"

#include "core/navigationframescreen.h"

class NavigationBar;
class QLabel;
class VtActivityIndicator;
class VtConnectStateView;

// A screen with its own bar: the title, the bar's activity indicator while a
// command is outstanding, and the connection banner under the bar.
class ParentNavigationViewController : public ParentPresentViewController,
                                       public NavigationFrameScreen {
    Q_OBJECT

public:
    static constexpr int kBannerHeight = 30;

    explicit ParentNavigationViewController(QWidget *parent = nullptr);

    NavigationBar *navBar() const { return m_navBar; }
    QString navTitle() const { return m_navTitle; }
    // Type 0 also makes the text the screen's title; type 1 only shows it.
    void initTitleViewWithText(const QString &text, int type);
    // The widget the banner goes into (the home screen has its own).
    virtual QWidget *contentView() { return this; }

    void startBarActivity(const QString &title) override;
    void stopBarActivity() override;
    bool hasBarActivity() const override;
    void showNetworkAlertViewWithImageName(const QString &imageName, const QString &title) override;
    bool hasConnectionBanner() const override { return m_banner != nullptr; }
    void setConnectionBanner(BannerIcon icon, const QString &title) override;
    void removeConnectionBanner() override;
    QWidget *banner() const { return m_banner; }

    // The back action: by popType (pop, slide down then pop, dismiss).
    virtual void navLeftButtonItemPressed();
    virtual void navRightButtonItemPressed() {}

protected:
    void setMainNavigationBar();
    // Content laid out higher (above an on-screen keyboard) passes under the
    // bar and the connection banner, never over them.
    void keepBarOnTop();
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    NavigationBar *m_navBar = nullptr;
    QString m_navTitle;
    VtActivityIndicator *m_barIndicator = nullptr;
    QWidget *m_banner = nullptr;
    VtConnectStateView *m_bannerIcon = nullptr;
    QLabel *m_bannerLabel = nullptr;
};
