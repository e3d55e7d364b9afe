// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/controlrefusalscreen.h"
#include "control/deviceenrolmentscreen.h"
#include "control/flowcaller.h"
#include "control/reloadablescreen.h"
#include "control/scenarionamingscreen.h"
#include "control/screen.h"
#include "control/screenstack.h"
#include "control/transmitterenrolmentscreen.h"
#include "core/navigationframescreen.h"

#include <QStringList>

#include <memory>

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

// The caller of a flow started on a test screen, as the app's screens start
// theirs: the feedback service tells the person, the steps are the roles of
// the screen that started it.
class TestScreenCaller final : public ServiceCaller {
public:
    explicit TestScreenCaller(Screen *screen) : m_screen(screen) {}
    static std::shared_ptr<FlowCaller> of(Screen *screen)
    {
        return std::make_shared<TestScreenCaller>(screen);
    }
    // The operations of a flow started on the screen.
    static SharedOperations carry(SharedOperations operations, Screen *screen)
    {
        operations->caller = of(screen);
        return operations;
    }

    DeviceEnrolmentScreen *deviceEnrolmentStep() override { return as<DeviceEnrolmentScreen>(); }
    TransmitterEnrolmentScreen *transmitterEnrolmentStep() override
    {
        return as<TransmitterEnrolmentScreen>();
    }
    ControlRefusalScreen *refusalStep() override { return as<ControlRefusalScreen>(); }
    ScenarioNamingScreen *scenarioNamingStep() override { return as<ScenarioNamingScreen>(); }

private:
    template <typename Role> Role *as() const { return dynamic_cast<Role *>(m_screen); }

    Screen *m_screen;
};
