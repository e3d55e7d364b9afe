// SPDX-License-Identifier: GPL-3.0-or-later
#include "ownerrequests.h"

#include "namerule.h"
#include "pageerror.h"
#include "qrcodesvg.h"

#include "base/logging.h"
#include "control/devicecommands.h"
#include "control/flowcaller.h"
#include "control/udpsocketmanager.h"
#include "store/database.h"
#include "store/recordkeys.h"

#include <QJsonArray>

std::optional<QVariantMap> OwnerRequests::transmitter(const QString &id) const
{
    const QList<QVariantMap> all = m_home.store.readAllSuperBoxInfo();
    for (const QVariantMap &record : all)
        if (record.value(Key::id).toString() == id)
            return record;
    return std::nullopt;
}

void OwnerRequests::rename(const PageRequest::Rename &request, std::shared_ptr<FlowCaller> caller)
{
    if (const QString refusal = NameRule::refusalOf(request.name); !refusal.isEmpty()) {
        refuseRename(refusal);
        return;
    }
    if (std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(request.id)) {
        DeviceCommands(m_home).renameDevice(*device, request.name,
                                            std::move(caller)); // stored when the master takes it
        return;
    }
    std::optional<QVariantMap> record = transmitter(request.id);
    if (!record) {
        refuseRename(QStringLiteral("noDevice"));
        return;
    }
    record->insert(Key::title, request.name);
    if (!m_home.store.updateSuperBoxWithMainID(request.id, *record)) {
        refuseRename(QStringLiteral("storeUnreadable"));
        return;
    }
    listTransmitters();
    m_tell(pageEnd(QLatin1String(kRenameEnd), true));
}

void OwnerRequests::refuseRename(const QString &code)
{
    m_tell(pageError(code));
    m_tell(pageEnd(QLatin1String(kRenameEnd), false));
}

void OwnerRequests::remove(const PageRequest::Remove &request, std::shared_ptr<FlowCaller> caller)
{
    if (const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(request.id)) {
        DeviceCommands(m_home).removeDevice(
            *device, std::move(caller)); // gone from the store when the master agrees
        return;
    }
    if (!transmitter(request.id)) {
        m_tell(pageError(QStringLiteral("noDevice")));
        return;
    }
    m_home.store.deleteSuperBoxWithMainID(request.id);
    qCInfo(lcGateway).noquote() << "web remote: transmitter" << request.id << "removed";
    listTransmitters();
}

void OwnerRequests::detail(const PageRequest::Detail &request)
{
    std::optional<QVariantMap> record = m_home.store.deviceRecordWithMainID(request.id);
    if (!record)
        record = transmitter(request.id);
    if (!record) {
        m_tell(pageError(QStringLiteral("noDevice")));
        return;
    }
    // The code holds the ID alone, as the app's detail screen draws it.
    m_tell({{QStringLiteral("type"), QStringLiteral("detail")},
            {QStringLiteral("id"), request.id},
            {QStringLiteral("name"), record->value(Key::title).toString()},
            {QStringLiteral("qr"), QString::fromUtf8(qrCodeSvg(request.id))}});
}

void OwnerRequests::queryState(const PageRequest::QueryState &request)
{
    const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(request.id);
    if (!device) {
        m_tell(pageError(QStringLiteral("noDevice")));
        return;
    }
    m_home.channel.queryStateInBackground(*device);
}

void OwnerRequests::listTransmitters()
{
    const std::optional<Database::Records> stored = m_home.store.superBoxesIfReadable();
    if (!stored) {
        m_tell(pageError(QStringLiteral("storeUnreadable")));
        return;
    }
    QJsonArray transmitters;
    for (const QVariantMap &record : *stored)
        transmitters.append(QJsonObject{
            {QStringLiteral("id"), record.value(Key::id).toString()},
            {QStringLiteral("name"), record.value(Key::title).toString()},
            {QStringLiteral("master"), transmitters.isEmpty()}}); // the first stored is the master
    m_tell({{QStringLiteral("type"), QStringLiteral("transmitters")},
            {QStringLiteral("transmitters"), transmitters}});
}
