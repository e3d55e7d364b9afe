// SPDX-License-Identifier: GPL-3.0-or-later
#include "homeactions.h"

#include "appdelegate.h"
#include "delegatemanager.h"
#include "flowcaller.h"
#include "homeevents.h"
#include "tcpsocketmanager.h"
#include "udpsocketmanager.h"

void HomeActions::cleanAll(const std::shared_ptr<FlowCaller> &caller) const
{
    UDPSocketManager *channel = &m_home.channel;
    AppDelegate *app = &m_home.application;
    // No channel survives it: whoever keeps backups makes one first.
    m_home.events.announceHomeAboutToBeReplaced({});
    const bool cleaned = m_home.files.cleanAllData();
    app->setIfConnected(AppDelegate::kConnectionUnknown);
    channel->linkFeedback().linkReset();
    channel->rediscovery().getGatewayIPAgain(std::nullopt);
    // Whatever shows the home shows it as the store now holds it.
    m_home.events.announceHomeReplaced();
    FlowCaller &told = FlowCaller::orService(caller.get());
    if (cleaned)
        told.report(FlowOutcome::done(tr("Clean all successful")));
    else
        told.report(
            FlowOutcome::storeFailure(tr("Clean all failed"), tr("The home could not be removed")));
}

void HomeActions::synchronizeData(std::shared_ptr<FlowCaller> caller) const
{
    m_home.import.sendTCPMessageWithCommandArray(TCPSocketManager::importRequest(), std::nullopt,
                                                 std::move(caller));
}
