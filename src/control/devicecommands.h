// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QVariantMap>

#include <memory>

#include "homeservices.h"

class FlowCaller;

// What the device screens (and the command-line tool) send for a user's
// action on one device: the command with the records its reply is matched
// against. A control leaves the caller's record as it is: what a screen shows
// changes when the home confirms it. Each takes whoever starts it, told the
// outcome (null: the program's feedback service).
class DeviceCommands {
public:
    // The commands go on the home's channel.
    explicit DeviceCommands(const HomeServices &home) : m_channel(home.channel) {}

    // "lig" for lights, "curtain" for curtains.
    static QString familyOf(const QVariantMap &device);

    // The store takes the new state when the home acknowledges it.
    void switchLight(const QVariantMap &device, bool on,
                     std::shared_ptr<FlowCaller> caller = {}) const;
    void dimLight(const QVariantMap &device, int level,
                  std::shared_ptr<FlowCaller> caller = {}) const;
    // Motion "1" opens, "0" closes, "2" stops; the record does not change.
    void moveCurtain(const QVariantMap &device, const QString &motion,
                     std::shared_ptr<FlowCaller> caller = {}) const;
    // The reply decides; the store record goes when the transmitter agrees.
    void removeDevice(const QVariantMap &device, std::shared_ptr<FlowCaller> caller = {}) const;
    // The record takes the name at once; the store, when the master has
    // acknowledged it (the master holds the names, and a synchronisation
    // would bring the old one back otherwise).
    void renameDevice(QVariantMap &device, const QString &name,
                      std::shared_ptr<FlowCaller> caller = {}) const;
    // Asks a channel for its state; the answer is stored.
    void queryState(const QVariantMap &device, std::shared_ptr<FlowCaller> caller = {}) const;

private:
    void sendWithOperations(const QStringList &command, QList<QVariantMap> operations,
                            std::shared_ptr<FlowCaller> caller) const;

    UDPSocketManager &m_channel;
};
