// SPDX-License-Identifier: GPL-3.0-or-later
#include "targetnames.h"

#include "store/database.h"
#include "store/recordkeys.h"

std::optional<TargetNames> TargetNames::fromStore(Database *store)
{
    const std::optional<Database::HomeRecords> home = store->homeIfReadable();
    if (!home)
        return std::nullopt;
    TargetNames names;
    for (const QVariantMap &device : home->devices)
        names.addChannel(device.value(Key::id).toString(), device.value(Key::title).toString());
    for (const QVariantMap &scenario : home->scenarios)
        names.addScenario(scenario.value(Key::mainID).toString(),
                          scenario.value(Key::title).toString());
    return names;
}

QString TargetNames::of(const ScheduleAction &action) const
{
    const QString name = (action.targetsScenario() ? m_scenarios : m_channels).value(action.target);
    return name.trimmed().isEmpty() ? action.target : name;
}
