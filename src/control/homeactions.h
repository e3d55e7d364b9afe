// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <memory>

#include "homeservices.h"

class FlowCaller;

// The settings-menu actions of the home screen, after their confirmation.
// Each tells whoever starts it how it went (null: the feedback service).
class HomeActions {
    Q_DECLARE_TR_FUNCTIONS(HomeActions)

public:
    explicit HomeActions(const HomeServices &home) : m_home(home) {}

    // An empty home with the two built-in scenarios; the connection state
    // and all feedback start again.
    void cleanAll(const std::shared_ptr<FlowCaller> &caller = {}) const;
    // Imports the master's configuration.
    void synchronizeData(std::shared_ptr<FlowCaller> caller = {}) const;

private:
    HomeServices m_home;
};
