// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QVariantMap>

#include <functional>
#include <memory>

#include "homeservices.h"

class FlowCaller;

// Enrols every channel of a controller: one command adds it, a second names it.
class DeviceEnrolment {
    Q_DECLARE_TR_FUNCTIONS(DeviceEnrolment)

public:
    explicit DeviceEnrolment(const HomeServices &home) : m_home(home) {}

    bool isStored(const QString &controllerId) const;
    // Its texts (sources marked for translation) in a language: the app's
    // own by default; a page of the web remote has its own.
    using Words = std::function<QString(const char *source)>;
    static QString appWords(const char *source) { return tr(source); }
    // One record per channel, channel 0 first, each with its default name in "showTitle".
    QList<QVariantMap> channelRecords(const QString &controllerId, int groupCount,
                                      const QString &control, const Words &words = appWords) const;
    // Add and name entries, channel by channel; names left empty take the default.
    static QList<QVariantMap> operationList(const QList<QVariantMap> &records);
    // Sends the first command and hands the list to the channel; false when
    // there is nothing to enrol. caller: whoever enrols, told how many
    // channels were stored (null: the enrolment screen on top).
    bool connect(const QList<QVariantMap> &records, std::shared_ptr<FlowCaller> caller = {}) const;

private:
    HomeServices m_home;
};
