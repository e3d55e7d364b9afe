// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

// The settings-menu actions of the home screen, after their confirmation.
class HomeActions {
    Q_DECLARE_TR_FUNCTIONS(HomeActions)

public:
    // An empty home with the two built-in scenarios; the connection state
    // and all feedback start again.
    static void cleanAll();
    // Imports the master's configuration.
    static void synchronizeData();
};
