// SPDX-License-Identifier: GPL-3.0-or-later
#include "programstate.h"

#include "control/appdelegate.h"
#include "control/delegatemanager.h"
#include "control/homeevents.h"
#include "control/staterefresh.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "store/database.h"

#include <QFile>

void ProgramState::reset()
{
    ShowAlertManager *feedback = ShowAlertManager::instance();
    feedback->stopActivity();
    feedback->finishedFading();
    UDPSocketManager *channel = UDPSocketManager::instance();
    // Commands still waiting for a reply would end by their time-out in the
    // middle of the next test.
    channel->abandonCommands();
    channel->rediscovery().getGatewayIPAgain(std::nullopt);
    channel->setReplyWaitOverride(std::nullopt);
    AppDelegate *app = AppDelegate::instance();
    app->setIfConnected(AppDelegate::kConnectionUnknown);
    app->setConnectionType(AppDelegate::kDatagramExchange);
    app->setIfHaveATry(true);
    HomeEvents::instance()->reset();
    StateRefresh::instance()->forget();
}

void ProgramState::resetToEmptyHome()
{
    reset();
    Database::instance()->removeFiles();
    DelegateManager::instance()->initApplicationNeedData();
}
