// SPDX-License-Identifier: GPL-3.0-or-later
#include "programstate.h"

#include "core/appdelegate.h"
#include "core/delegatemanager.h"
#include "core/homeevents.h"
#include "core/showalertmanager.h"
#include "gateway/staterefresh.h"
#include "gateway/udpsocketmanager.h"
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
