// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    SceneEditNameViewController(const QString &title, const QString &imagePath,
                                QList<QVariantMap> queue, QVariantMap scenario,
                                QWidget *parent = nullptr);
    const QList<QVariantMap> &udpEditScenarioArray() const { return m_queue; }

protected:
    void pushDelegateSelector(const QString &name) override;

private:
    QList<QVariantMap> m_queue;
    QVariantMap m_scenario;
};
