// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "control/scenarionamingscreen.h"
#include "devices/editnamehcviewcontroller.h"

#include <QList>
#include <QVariantMap>

// The last step of creating or editing a scenario: its name and picture; the
// save sends the queue, closed by the naming command. It stays until the
// transmitter acknowledges the name, which returns to the scenario list.
class SceneEditNameViewController : public EditNameHCViewController, public ScenarioNamingScreen {
    Q_OBJECT

public:
    SceneEditNameViewController(const HomeServices &home, const QString &title,
                                const QString &imagePath, QList<QVariantMap> queue,
                                QVariantMap scenario, QWidget *parent = nullptr);
    const QList<QVariantMap> &udpEditScenarioArray() const { return m_queue; }

    // Back to the scenario list, or to the home screen when the scenario
    // was added from there.
    void scenarioChangeAnswered() override;
    // Back to the scenario list, when the scenario was chosen there.
    void scenarioNamed() override;

protected:
    void pushDelegateSelector(const QString &name) override;

private:
    HomeServices m_home;
    // The scenario list below this screen, if it is there.
    Screen *scenarioList();

    QList<QVariantMap> m_queue;
    QVariantMap m_scenario;
};
