// SPDX-License-Identifier: GPL-3.0-or-later
#include "largehome.h"

#include "control/delegatemanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

QString largeHomeChannelId(int i)
{
    return QStringLiteral("B2%1").arg(i, 10, 10, QLatin1Char('0'));
}

QVariantMap largeHomeChannel(int i)
{
    return RecordFactory::device(largeHomeChannelId(i), Value::dimming,
                                 largeHomeChannelId(i - i % 3), QStringLiteral("Light %1").arg(i));
}

void buildLargeHome(const std::function<QString(int scenario)> &pictureOf)
{
    Database::instance()->removeFiles();
    DelegateManager::instance()->initApplicationNeedData();
    Database *store = Database::instance();
    Database::Session session; // building is not what is measured
    for (int t = 0; t < 3; ++t)
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter(QStringLiteral("A1000000000%1").arg(t),
                                       QStringLiteral("10.0.0.%1").arg(t + 2), t == 0));
    for (int i = 0; i < kLargeHomeChannels; ++i)
        store->insertMainDeviceWithInfo(largeHomeChannel(i));
    for (int s = 1; s <= kLargeHomeScenarios; ++s) {
        QVariantList members;
        for (int m = 0; m < kLargeHomeMembers; ++m)
            members.append(largeHomeChannel((s * 37 + m * 7) % kLargeHomeChannels));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            QString::number(s), QStringLiteral("Scenario %1").arg(s),
            pictureOf ? pictureOf(s) : Value::importedScenarioImage, members));
    }
}
