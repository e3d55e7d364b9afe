// SPDX-License-Identifier: GPL-3.0-or-later
#include "screencaller.h"

#include "control/controlrefusalscreen.h"
#include "control/deviceenrolmentscreen.h"
#include "control/scenarionamingscreen.h"
#include "control/transmitterenrolmentscreen.h"
#include "navigationstack.h"
#include "parentpresentviewcontroller.h"

ScreenCaller::ScreenCaller(ParentPresentViewController *screen) : m_screen(screen) {}

std::shared_ptr<FlowCaller> ScreenCaller::of(ParentPresentViewController *screen)
{
    return std::make_shared<ScreenCaller>(screen);
}

template <typename Role> Role *ScreenCaller::starterAs() const
{
    if (!m_screen)
        return nullptr;
    const NavigationStack *stack = NavigationStack::of(m_screen);
    return stack && stack->top() == m_screen ? dynamic_cast<Role *>(m_screen.data()) : nullptr;
}

DeviceEnrolmentScreen *ScreenCaller::deviceEnrolmentStep()
{
    return starterAs<DeviceEnrolmentScreen>();
}

TransmitterEnrolmentScreen *ScreenCaller::transmitterEnrolmentStep()
{
    return starterAs<TransmitterEnrolmentScreen>();
}

ControlRefusalScreen *ScreenCaller::refusalStep()
{
    return starterAs<ControlRefusalScreen>();
}

ScenarioNamingScreen *ScreenCaller::scenarioNamingStep()
{
    return starterAs<ScenarioNamingScreen>();
}
