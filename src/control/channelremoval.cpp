// SPDX-License-Identifier: GPL-3.0-or-later
#include "channelremoval.h"

#include "homeevents.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

void ChannelRemoval::removeFromStore(const QString &channelId) const
{
    Database *store = &m_store;
    for (QVariantMap scenario : store->readAllScenarioInfo()) {
        if (!RecordFactory::isUserScenario(scenario))
            continue;
        const QVariantList members = RecordFactory::sceneDevices(scenario);
        QVariantList kept;
        for (const QVariant &member : members)
            if (member.toMap().value(Key::id).toString() != channelId)
                kept.append(member);
        if (kept.size() == members.size())
            continue;
        if (kept.isEmpty()) {
            store->deleteScenarioWithMainID(scenario.value(Key::mainID).toString());
        } else {
            scenario.insert(Key::sceneArray, kept);
            store->updateScenarioWithMainID(scenario.value(Key::id).toString(), scenario);
        }
    }
    store->deleteMainDeviceWithMainID(channelId);
    m_events.announceRemoval(channelId);
}
