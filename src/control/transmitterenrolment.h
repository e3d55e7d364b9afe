// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

#include "homeservices.h"

class FlowCaller;

// Makes a transmitter part of the home: the first one is located on the
// network and becomes the master, every further one is enrolled as a slave
// through the master. After success the master's configuration is imported.
class TransmitterEnrolment {
    Q_DECLARE_TR_FUNCTIONS(TransmitterEnrolment)

public:
    explicit TransmitterEnrolment(const HomeServices &home) : m_home(home) {}

    bool isStored(const QString &id) const;
    // "Master Transmitter" or "Slave Transmitter", as this ID would be enrolled.
    QString roleLine(const QString &id) const;
    // Whether it joins the home as its master: none is stored yet, or it is the stored master.
    bool joinsAsMaster(const QString &id) const;
    // caller: whoever enrols, told the outcome (null: the enrolment screen on top).
    void connect(const QString &id, std::shared_ptr<FlowCaller> caller = {}) const;
    void importConfiguration(std::shared_ptr<FlowCaller> caller = {}) const;

private:
    HomeServices m_home;
};
