// SPDX-License-Identifier: GPL-3.0-or-later
#include "appdelegate.h"

#include "checkmanager.h"
#include "flowfeedback.h"
#include "staterefresh.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "udpsocketmanager.h"

#include <QCoreApplication>

void AppDelegate::applicationDidFinishLaunching()
{
    // The first screens read the store before the first-start check fills
    // it: its tables are there from the start (an existing home is untouched).
    Database::instance()->creatDatabase();
    m_ifHaveATry = true;
    m_connectionType = kDatagramExchange;
}

void AppDelegate::applicationDidBecomeActive()
{
    StateRefresh::instance()->setActive(true);
    CheckManager::checkIfHaveGotSuperBox();
    m_ifConnected = kConnectionUnknown;
    const QList<QVariantMap> transmitters = Database::instance()->readAllSuperBoxInfo();
    if (transmitters.isEmpty())
        return;
    const QVariantMap &master = transmitters.constFirst();
    UDPSocketManager::instance()->getGatewayIPWithID(master.value(Key::id).toString(),
                                                     master.value(Key::address).toString());
    localiseTransmitterTitles();
}

void AppDelegate::localiseTransmitterTitles()
{
    const bool english = RecordFactory::interfaceIsEnglish();
    // Titles the app gave in the other language, to be given in this one.
    const QString master =
        english ? QStringLiteral("主无线转发器") : QStringLiteral("Master Transmitter");
    const QString slave =
        english ? QStringLiteral("从无线转发器") : QStringLiteral("Slave Transmitter");
    Database *store = Database::instance();
    for (QVariantMap transmitter : store->readAllSuperBoxInfo()) {
        const QString title = transmitter.value(Key::title).toString();
        if (title != master && title != slave)
            continue;
        const QString localised = RecordFactory::transmitterTitle(title == master);
        if (localised == title)
            continue;
        transmitter.insert(Key::title, localised);
        store->updateSuperBoxWithMainID(transmitter.value(Key::id).toString(), transmitter);
    }
}

void AppDelegate::locateMasterQuietly()
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    if (!channel->isSettled())
        return;
    const QList<QVariantMap> transmitters = Database::instance()->readAllSuperBoxInfo();
    if (transmitters.isEmpty())
        return;
    const QVariantMap &master = transmitters.constFirst();
    channel->checkMasterQuietly(master.value(Key::id).toString(),
                                master.value(Key::address).toString());
}

void AppDelegate::applicationWillResignActive()
{
    StateRefresh::instance()->setActive(false);
    m_ifConnected = kConnectionUnknown;
    FlowFeedback *feedback = FlowFeedback::instance();
    feedback->transmitterConnectionSuccessful(1);
    feedback->finishedFading();
    feedback->stopActivity();
    UDPSocketManager::instance()->rediscovery().getGatewayIPAgain(std::nullopt);
}
