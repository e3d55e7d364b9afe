// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <optional>

#include "homeservices.h"

class FlowCaller;

// Rules several screens share: running a scenario, the checks before adding
// a scenario or using a device screen (else the scanner opens), the torch.
class CheckManager {
    Q_DECLARE_TR_FUNCTIONS(CheckManager)

public:
    static constexpr int kMaxScenarioRecords = 10; // the two built-ins and 8 of the user's

    explicit CheckManager(const HomeServices &home) : m_home(home) {}

    // Runs the scenario: it becomes the one marked in the caller's list (it
    // may be an element of that list) and in the store, its command goes out
    // and, once acknowledged, the store takes the states it sets.
    void changeScenarioWithDictionary(QVariantMap &scenario, QList<QVariantMap> &needArray,
                                      std::shared_ptr<FlowCaller> caller = {}) const;
    // The scenario selection opens, unless the home is full (the caller is
    // told; null: the feedback service) or lacks a transmitter or a device.
    void addScenario(const std::shared_ptr<FlowCaller> &caller = {}) const;
    bool checkIfHaveGotSuperBox() const;
    bool checkIfHaveGotDeviceWithControl(const std::optional<QString> &type) const;
    void setUpScanControllerWithType(const std::optional<QString> &scanType) const;
    void turnBackLed() const;

    // The command that runs a scenario record; empty for one that runs nothing.
    static QStringList runCommandFor(const QVariantMap &scenario);

private:
    HomeServices m_home;
};
