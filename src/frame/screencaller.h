// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/flowcaller.h"

#include <QPointer>

#include <memory>

class ParentPresentViewController;

// The caller of a flow started from one of the app's screens: the feedback
// service tells the person, as it always has, and the flow's next steps go
// to the screen that started it while the person is still on it (not to
// whatever screen happens to be on top).
class ScreenCaller final : public ServiceCaller {
public:
    explicit ScreenCaller(ParentPresentViewController *screen);
    static std::shared_ptr<FlowCaller> of(ParentPresentViewController *screen);

    DeviceEnrolmentScreen *deviceEnrolmentStep() override;
    TransmitterEnrolmentScreen *transmitterEnrolmentStep() override;
    ControlRefusalScreen *refusalStep() override;
    ScenarioNamingScreen *scenarioNamingStep() override;

private:
    template <typename Role> Role *starterAs() const;

    QPointer<ParentPresentViewController> m_screen;
};
