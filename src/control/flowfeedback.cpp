// SPDX-License-Identifier: GPL-3.0-or-later
#include "flowfeedback.h"

#include <QtGlobal>

namespace {
FlowFeedback *g_service = nullptr;
}

FlowFeedback *FlowFeedback::instance()
{
    if (!g_service)
        qFatal("FlowFeedback: no feedback service lives");
    return g_service;
}

FlowFeedback::FlowFeedback()
{
    Q_ASSERT(!g_service);
    g_service = this;
}

FlowFeedback::~FlowFeedback()
{
    if (g_service == this)
        g_service = nullptr;
}
