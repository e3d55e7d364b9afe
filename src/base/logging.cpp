// SPDX-License-Identifier: GPL-3.0-or-later
#include "logging.h"

Q_LOGGING_CATEGORY(lcFeedback, "ardentia.feedback")
Q_LOGGING_CATEGORY(lcGateway, "ardentia.gateway")
Q_LOGGING_CATEGORY(lcStore, "ardentia.store")
Q_LOGGING_CATEGORY(lcSchedule, "ardentia.schedule")
