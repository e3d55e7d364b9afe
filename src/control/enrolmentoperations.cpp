// SPDX-License-Identifier: GPL-3.0-or-later
#include "enrolmentoperations.h"

#include "deviceenrolmentscreen.h"
#include "flowcaller.h"
#include "store/recordkeys.h"
#include "transmitterenrolmentscreen.h"

SharedOperations EnrolmentOperations::forTransmitter(const QString &transmitterId)
{
    return shareOperations({{{Key::enrolTransmitter, transmitterId}}});
}

bool EnrolmentOperations::enrolsTransmitter(const OperationList &operations,
                                            const QString &transmitterId)
{
    return std::any_of(operations.cbegin(), operations.cend(), [&](const QVariantMap &entry) {
        return entry.contains(Key::enrolTransmitter) &&
               (transmitterId.isEmpty() ||
                entry.value(Key::enrolTransmitter).toString() == transmitterId);
    });
}

bool EnrolmentOperations::enrolsDevices(const OperationList &operations)
{
    return std::any_of(operations.cbegin(), operations.cend(), [](const QVariantMap &entry) {
        return entry.contains(Key::insertDevice) && entry.contains(Key::haveSend);
    });
}

int EnrolmentOperations::channelsStored(const OperationList &operations)
{
    return int(std::count_if(operations.cbegin(), operations.cend(), [](const QVariantMap &e) {
        return e.contains(Key::insertDevice) && e.value(Key::haveSend).toString() == Value::yes;
    }));
}

bool EnrolmentOperations::tellCutShort(FlowCaller &starter, const OperationList &operations)
{
    if (enrolsTransmitter(operations))
        return tellTransmitterCutShort(starter);
    if (!enrolsDevices(operations))
        return false;
    DeviceEnrolmentScreen *step = starter.deviceEnrolmentStep();
    if (step)
        step->panelAddSucceed(QString::number(channelsStored(operations)));
    return step != nullptr;
}

bool EnrolmentOperations::tellTransmitterCutShort(FlowCaller &starter)
{
    if (TransmitterEnrolmentScreen *step = starter.transmitterEnrolmentStep()) {
        step->superBoxAddSucceed(false);
        return true;
    }
    return false;
}
