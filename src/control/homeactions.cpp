// SPDX-License-Identifier: GPL-3.0-or-later
#include "homeactions.h"

#include "appdelegate.h"
#include "delegatemanager.h"
#include "flowcaller.h"
#include "homeevents.h"
#include "tcpsocketmanager.h"
#include "udpsocketmanager.h"

void HomeActions::cleanAll(const std::shared_ptr<FlowCaller> &caller)
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    AppDelegate *app = AppDelegate::instance();
    // No channel survives it: whoever keeps backups makes one first.
    HomeEvents::instance()->announceHomeAboutToBeReplaced({});
    const bool cleaned = DelegateManager::instance()->cleanAllData();
    app->setIfConnected(AppDelegate::kConnectionUnknown);
    channel->linkFeedback().linkReset();
    channel->rediscovery().getGatewayIPAgain(std::nullopt);
    // Whatever shows the home shows it as the store now holds it.
    HomeEvents::instance()->announceHomeReplaced();
    FlowCaller &told = FlowCaller::orService(caller.get());
    if (cleaned)
        told.report(FlowOutcome::done(tr("Clean all successful")));
    else
        told.report(
            FlowOutcome::storeFailure(tr("Clean all failed"), tr("The home could not be removed")));
}

void HomeActions::synchronizeData(std::shared_ptr<FlowCaller> caller)
{
    TCPSocketManager::instance()->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest(),
                                                                 std::nullopt, std::move(caller));
}
