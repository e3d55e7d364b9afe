// SPDX-License-Identifier: GPL-3.0-or-later
#include "storehomelookup.h"

#include "store/database.h"
#include "store/recordkeys.h"

std::optional<QVariantMap> StoreHomeLookup::firstTransmitter() const
{
    const QList<QVariantMap> transmitters = m_store.readAllSuperBoxInfo();
    if (transmitters.isEmpty())
        return std::nullopt;
    return transmitters.constFirst();
}

int StoreHomeLookup::lightingDeviceCount() const
{
    return int(m_store.readAllMainDeviceInfo(QVariantMap{{Key::type, Value::lighting}}).size());
}
