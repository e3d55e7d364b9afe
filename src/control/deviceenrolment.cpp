// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceenrolment.h"

#include "codedecoder.h"
#include "controllercommands.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "udpsocketmanager.h"

bool DeviceEnrolment::isStored(const QString &controllerId) const
{
    const QList<QVariantMap> devices = m_home.store.readAllMainDeviceInfo();
    return std::any_of(devices.cbegin(), devices.cend(), [&](const QVariantMap &d) {
        return d.value(Key::id).toString() == controllerId;
    });
}

QList<QVariantMap> DeviceEnrolment::channelRecords(const QString &controllerId, int groupCount,
                                                   const QString &control, const Words &words) const
{
    if (control != Value::switching && control != Value::dimming &&
        control != Value::curtainControl)
        return {};
    const QStringList ids = CodeDecoder::channelIds(controllerId, groupCount);
    const QString label = control == Value::curtainControl ? words(QT_TR_NOOP("Curtain"))
                                                           : words(QT_TR_NOOP("Light"));
    Database *store = &m_home.store;
    QList<QVariantMap> records;
    for (const QString &id : ids) {
        QVariantMap record =
            RecordFactory::device(id, control, ids.constFirst(), QStringLiteral(""));
        record.insert(Key::showTitle, QStringLiteral("%1-%2").arg(label, id.mid(4)));
        // Enrolled again: the channel keeps its name and how often it was used.
        if (const std::optional<QVariantMap> stored =
                JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID(id))) {
            record.insert(Key::title, stored->value(Key::title));
            record.insert(Key::controlTimes, stored->value(Key::controlTimes));
        }
        records.append(record);
    }
    return records;
}

QList<QVariantMap> DeviceEnrolment::operationList(const QList<QVariantMap> &records)
{
    QList<QVariantMap> operations;
    for (QVariantMap record : records) {
        if (record.value(Key::title).toString().isEmpty())
            record.insert(Key::title, record.value(Key::showTitle));
        record.remove(Key::showTitle);
        const QString name = record.value(Key::title).toString();
        operations.append({{Key::haveSend, Value::no},
                           {Key::sendArray, ControllerCommands::add(record)},
                           {Key::insertDevice, record}});
        operations.append({{Key::sendArray, ControllerCommands::name(record, name)},
                           {Key::insertDevice, record}});
    }
    return operations;
}

bool DeviceEnrolment::connect(const QList<QVariantMap> &records,
                              std::shared_ptr<FlowCaller> caller) const
{
    OperationList operations(operationList(records));
    operations.caller = std::move(caller);
    return m_home.channel.startOperationList(std::move(operations));
}
