// SPDX-License-Identifier: GPL-3.0-or-later
#include "hometargets.h"

#include "store/database.h"
#include "store/recordkeys.h"

std::optional<HomeTargets> HomeTargets::fromStore(Database *store)
{
    const std::optional<Database::HomeRecords> home = store->homeIfReadable();
    if (!home)
        return std::nullopt;
    HomeTargets targets;
    for (const QVariantMap &device : home->devices)
        targets.channels.insert(device.value(Key::id).toString(), Channel::kindOf(device));
    for (const QVariantMap &scenario : home->scenarios)
        targets.scenarios.insert(scenario.value(Key::mainID).toString());
    return targets;
}
