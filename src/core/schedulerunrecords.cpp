// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulerunrecords.h"

#include "base/logging.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {
const QString kSchedules = QStringLiteral("schedules");
const QString kId = QStringLiteral("id");
const QString kThrough = QStringLiteral("through");
const QString kSchedule = QStringLiteral("schedule");
const QString kRetryAt = QStringLiteral("retryAt");
} // namespace

ScheduleRunRecords::Records ScheduleRunRecords::load() const
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcStore).noquote() << "cannot read the schedules' runs from" << m_path;
        return {};
    }
    Records records;
    const QJsonArray entries =
        QJsonDocument::fromJson(file.readAll()).object().value(kSchedules).toArray();
    for (const QJsonValue &entry : entries) {
        const QJsonObject object = entry.toObject();
        const int id = object.value(kId).toInt();
        const QDateTime through =
            QDateTime::fromString(object.value(kThrough).toString(), Qt::ISODateWithMs);
        if (id <= 0 || !through.isValid() || !object.value(kSchedule).isObject()) {
            qCWarning(lcStore).noquote()
                << "a schedule's run record in" << m_path << "cannot be read";
            continue;
        }
        const QDateTime retryAt =
            QDateTime::fromString(object.value(kRetryAt).toString(), Qt::ISODateWithMs);
        records.insert(id, {through, object.value(kSchedule).toObject(), retryAt});
    }
    return records;
}

bool ScheduleRunRecords::save(const Records &records) const
{
    QJsonArray entries;
    for (auto record = records.cbegin(); record != records.cend(); ++record) {
        QJsonObject entry{{kId, record.key()},
                          {kThrough, record->through.toString(Qt::ISODateWithMs)},
                          {kSchedule, record->schedule}};
        if (record->retryAt.isValid())
            entry.insert(kRetryAt, record->retryAt.toString(Qt::ISODateWithMs));
        entries.append(entry);
    }
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(QJsonDocument(QJsonObject{{kSchedules, entries}}).toJson()) >= 0 &&
        file.commit())
        return true;
    qCWarning(lcStore).noquote() << "cannot write the schedules' runs to" << m_path << ":"
                                 << file.errorString();
    return false;
}
