// SPDX-License-Identifier: GPL-3.0-or-later
#include "enrolmentoperations.h"

#include "store/recordkeys.h"

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
