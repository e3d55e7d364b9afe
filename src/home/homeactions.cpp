#include "homeactions.h"

#include "../core/appdelegate.h"
#include "../core/homescreen.h"
#include "../core/showalertmanager.h"
#include "../gateway/tcpsocketmanager.h"
#include "../gateway/udpsocketmanager.h"

void HomeActions::cleanAll()
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    ShowAlertManager *feedback = ShowAlertManager::instance();
    AppDelegate *app = AppDelegate::instance();
    channel->cleanAllData();
    app->setIfConnected(AppDelegate::kConnectionUnknown);
    feedback->transmitterConnectionSuccessful(1);
    feedback->finishedFading();
    feedback->stopActivity();
    channel->getGatewayIPAgain(std::nullopt);
    if (auto *home = app->topScreenAs<HomeScreen>())
        home->updateCenterView();
    feedback->showLabelWithTitle(tr("Clean all successful"));
}

void HomeActions::synchronizeData()
{
    TCPSocketManager::instance()->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
}
