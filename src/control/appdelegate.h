// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"
#include "navigator.h"
#include "screenstack.h"
#include "torchcontrol.h"

#include <QObject>

// The application object: the process-wide connection state and the one
// navigation stack that the rest of the system reaches through it. What the
// program does as it starts, shows and hides is AppLifecycle's.
class AppDelegate final : public QObject, public OwnedInstance<AppDelegate> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppDelegate)

public:
    // ifConnected values.
    static constexpr int kConnectionUnknown = 0;
    static constexpr int kConnectionFailed = 1;
    static constexpr int kConnected = 2;
    // connectionType values.
    static constexpr int kDatagramExchange = 1;
    static constexpr int kStreamImport = 2;

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    AppDelegate() = default;

    // The setters store any value unchecked.
    int ifConnected() const { return m_ifConnected; }
    void setIfConnected(int value) { m_ifConnected = value; }
    int connectionType() const { return m_connectionType; }
    void setConnectionType(int value) { m_connectionType = value; }
    bool ifHaveATry() const { return m_ifHaveATry; }
    void setIfHaveATry(bool value) { m_ifHaveATry = value; }

    // Null until a navigation stack (the window's, or a headless one) is set.
    ScreenStack *navigationController() const { return m_navigationController; }
    void setNavigationController(ScreenStack *stack) { m_navigationController = stack; }
    // Null until the app (or a headless user) sets them.
    Navigator *navigator() const { return m_navigator; }
    void setNavigator(Navigator *navigator) { m_navigator = navigator; }
    TorchControl *torch() const { return m_torch; }
    void setTorch(TorchControl *torch) { m_torch = torch; }

private:
    int m_ifConnected = kConnectionUnknown;
    int m_connectionType = kDatagramExchange;
    bool m_ifHaveATry = true;
    ScreenStack *m_navigationController = nullptr;
    Navigator *m_navigator = nullptr;
    TorchControl *m_torch = nullptr;
};
