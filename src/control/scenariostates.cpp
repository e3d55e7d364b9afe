// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenariostates.h"

#include "homeevents.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

bool ScenarioStates::applyMembers(const QVariantMap &scenario) const
{
    Database *store = &m_store;
    bool stored = true;
    for (const QVariant &member : RecordFactory::sceneDevices(scenario)) {
        const QVariantMap entry = member.toMap();
        const QString id = entry.value(Key::id).toString();
        std::optional<QVariantMap> device =
            JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID(id));
        if (!device)
            continue;
        device->insert(Key::turnOn, entry.value(Key::turnOn));
        if (store->updateMainDeviceWithMainID(id, *device))
            m_events.announceState(id, device->value(Key::turnOn).toString());
        else
            stored = false;
    }
    return stored;
}

bool ScenarioStates::switchAllLights(bool on) const
{
    Database *store = &m_store;
    // A store that cannot be read has not taken the new states: that is a failure, not "no lights".
    const std::optional<Database::Records> lights =
        store->mainDevicesIfReadable(QVariantMap{{Key::type, Value::lighting}});
    if (!lights)
        return false;
    bool stored = true;
    for (QVariantMap light : *lights) {
        const QString turnOn = light.value(Key::turnOn).toString();
        const bool switched = turnOn == Value::yes || turnOn == Value::no;
        light.insert(Key::move, Value::no);
        light.insert(Key::turnOn, switched ? (on ? Value::yes : Value::no)
                                           : (on ? QStringLiteral("10") : QStringLiteral("0")));
        const QString id = light.value(Key::id).toString();
        if (store->updateMainDeviceWithMainID(id, light))
            m_events.announceState(id, light.value(Key::turnOn).toString());
        else
            stored = false;
    }
    return stored;
}
