// SPDX-License-Identifier: GPL-3.0-or-later
#include "homeactions.h"

#include "appdelegate.h"
#include "delegatemanager.h"
#include "flowfeedback.h"
#include "homescreen.h"
#include "tcpsocketmanager.h"
#include "udpsocketmanager.h"

void HomeActions::cleanAll()
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    FlowFeedback *feedback = FlowFeedback::instance();
    AppDelegate *app = AppDelegate::instance();
    const bool cleaned = DelegateManager::instance()->cleanAllData();
    app->setIfConnected(AppDelegate::kConnectionUnknown);
    feedback->transmitterConnectionSuccessful(1);
    feedback->finishedFading();
    feedback->stopActivity();
    channel->rediscovery().getGatewayIPAgain(std::nullopt);
    if (auto *home = app->topScreenAs<HomeScreen>())
        home->updateCenterView();
    if (cleaned)
        feedback->report(FlowOutcome::done(tr("Clean all successful")));
    else
        feedback->report(
            FlowOutcome::storeFailure(tr("Clean all failed"), tr("The home could not be removed")));
}

void HomeActions::synchronizeData()
{
    TCPSocketManager::instance()->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
}
