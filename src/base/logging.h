// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// One category per subsystem. The fixed log lines of the protocol go to lcGateway.
Q_DECLARE_LOGGING_CATEGORY(lcFeedback)
Q_DECLARE_LOGGING_CATEGORY(lcGateway)
Q_DECLARE_LOGGING_CATEGORY(lcStore)
// The schedules' runs and their outcomes: the bridge logs them by default.
Q_DECLARE_LOGGING_CATEGORY(lcSchedule)
