// SPDX-License-Identifier: GPL-3.0-or-later
#include "applifecycle.h"

#include "appdelegate.h"
#include "checkmanager.h"
#include "flowfeedback.h"
#include "staterefresh.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "udpsocketmanager.h"

void AppLifecycle::applicationDidFinishLaunching()
{
    // The first screens read the store before the first-start check fills
    // it: its tables are there from the start (an existing home is untouched).
    m_home.store.creatDatabase();
    m_home.application.setIfHaveATry(true);
    m_home.application.setConnectionType(AppDelegate::kDatagramExchange);
}

void AppLifecycle::applicationDidBecomeActive()
{
    m_home.stateRefresh.setActive(true);
    CheckManager(m_home).checkIfHaveGotSuperBox();
    m_home.application.setIfConnected(AppDelegate::kConnectionUnknown);
    const QList<QVariantMap> transmitters = m_home.store.readAllSuperBoxInfo();
    if (transmitters.isEmpty())
        return;
    const QVariantMap &master = transmitters.constFirst();
    m_home.channel.getGatewayIPWithID(master.value(Key::id).toString(),
                                      master.value(Key::address).toString());
    localiseTransmitterTitles(m_home.store);
}

void AppLifecycle::localiseTransmitterTitles(Database &store)
{
    const bool english = RecordFactory::interfaceIsEnglish();
    // Titles the app gave in the other language, to be given in this one.
    const QString master =
        english ? QStringLiteral("主无线转发器") : QStringLiteral("Master Transmitter");
    const QString slave =
        english ? QStringLiteral("从无线转发器") : QStringLiteral("Slave Transmitter");
    for (QVariantMap transmitter : store.readAllSuperBoxInfo()) {
        const QString title = transmitter.value(Key::title).toString();
        if (title != master && title != slave)
            continue;
        const QString localised = RecordFactory::transmitterTitle(title == master);
        if (localised == title)
            continue;
        transmitter.insert(Key::title, localised);
        store.updateSuperBoxWithMainID(transmitter.value(Key::id).toString(), transmitter);
    }
}

void AppLifecycle::locateMasterQuietly()
{
    UDPSocketManager *channel = &m_home.channel;
    if (!channel->isSettled())
        return;
    const QList<QVariantMap> transmitters = m_home.store.readAllSuperBoxInfo();
    if (transmitters.isEmpty())
        return;
    const QVariantMap &master = transmitters.constFirst();
    channel->checkMasterQuietly(master.value(Key::id).toString(),
                                master.value(Key::address).toString());
}

void AppLifecycle::applicationWillResignActive()
{
    m_home.stateRefresh.setActive(false);
    m_home.application.setIfConnected(AppDelegate::kConnectionUnknown);
    FlowFeedback *feedback = &m_home.feedback;
    feedback->transmitterConnectionSuccessful(1);
    feedback->finishedFading();
    feedback->stopActivity();
    m_home.channel.rediscovery().getGatewayIPAgain(std::nullopt);
}
