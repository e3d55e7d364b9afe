// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/deviceenrolmentscreen.h"
#include "control/reloadablescreen.h"
#include "control/screen.h"
#include "control/screenstack.h"
#include "control/transmitterenrolmentscreen.h"
#include "core/navigationframescreen.h"

#include <QStringList>

// A headless navigation stack; installs itself on the application object.
class TestScreenStack final : public ScreenStack {
public:
    TestScreenStack();
    ~TestScreenStack() override;
    QList<Screen *> screens() const override { return m_screens; }
    void push(Screen *screen) { m_screens.append(screen); }
    void pop() { m_screens.removeLast(); }
    void clear() { m_screens.clear(); }
    void popScreen(bool) override
    {
        if (!m_screens.isEmpty())
            m_screens.removeLast();
    }
    void popToScreen(Screen *screen, bool) override
    {
        while (!m_screens.isEmpty() && m_screens.constLast() != screen)
            m_screens.removeLast();
    }

private:
    QList<Screen *> m_screens;
};

// A screen in the navigation frame that records what it was told to show.
class TestFrameScreen : public Screen, public NavigationFrameScreen, public ReloadableScreen {
public:
    explicit TestFrameScreen(const QString &navTitle = QStringLiteral("Home"));

    void startBarActivity(const QString &title) override;
    void stopBarActivity() override;
    bool hasBarActivity() const override { return m_barActivity; }
    void showNetworkAlertViewWithImageName(const QString &imageName, const QString &title) override;
    bool hasConnectionBanner() const override { return m_bannerShowing; }
    void setConnectionBanner(BannerIcon icon, const QString &title) override;
    void removeConnectionBanner() override;
    void updateMainView() override { ++reloads; }

    QString navTitle;
    QString barTitle;
    bool m_barActivity = false;
    bool m_bannerShowing = false;
    BannerIcon bannerIcon = BannerIcon::Cross;
    QString bannerText;
    int bannersAdded = 0;
    int reloads = 0;
};

class TestTransmitterEnrolmentScreen final : public TestFrameScreen,
                                             public TransmitterEnrolmentScreen {
public:
    void superBoxAddSucceed(bool succeeded) override { outcomes.append(succeeded); }
    QList<bool> outcomes;
};

class TestDeviceEnrolmentScreen final : public TestFrameScreen, public DeviceEnrolmentScreen {
public:
    void panelAddSucceed(const QString &count) override { outcomes.append(count); }
    QStringList outcomes;
};

// A screen outside the navigation frame (a modal sheet, an overlay).
class TestPlainScreen final : public Screen {};
