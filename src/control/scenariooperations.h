// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>

#include "homeservices.h"

class FlowCaller;

// The operation lists that store a scenario on the transmitters: creating
// one from chosen devices, editing one (only what changed), naming it,
// deleting it, renaming it. Screens and the command-line tool both use them.
class ScenarioOperations {
public:
    // The scenarios are read from the home's store and sent on its channel.
    explicit ScenarioOperations(const HomeServices &home)
        : m_store(home.store), m_channel(home.channel)
    {
    }

    // The smallest number from 1 to 8 no stored scenario uses, nor one
    // taken already by a scenario still being sent ("8" when all are).
    QString nextScenarioNumber(const QStringList &taken = {}) const;

    // One membership entry per chosen device, in order (each in the state it
    // is to have), and the closing entry that the naming step completes.
    static QList<QVariantMap> creationQueue(QList<QVariantMap> devices, const QString &number);
    // For an edit: entries for devices that are new or whose state changed,
    // then removals for members no longer chosen, then the closing entry.
    static QList<QVariantMap> editQueue(const QVariantMap &scenario, QList<QVariantMap> devices);
    // Completes the closing entry with the naming command and the scenario
    // record, then sends the first entry and hands the list to the channel.
    // caller: whoever starts it, told the outcome (null: the feedback service).
    bool startNamedQueue(QList<QVariantMap> queue, const QString &name, const QVariantMap &scenario,
                         std::shared_ptr<FlowCaller> caller = {}) const;
    // A new scenario record for the given number, name and picture.
    static QVariantMap newScenarioRecord(const QString &number, const QString &name,
                                         const QString &imagePath);

    // Removes every member on the transmitters; the store follows the replies.
    bool deleteScenario(const QVariantMap &scenario, std::shared_ptr<FlowCaller> caller = {}) const;
    // The record as it should be stored (new title, perhaps a new picture).
    // A built-in lives in this app only and takes it at once; a user
    // scenario's title and picture are stored when the master acknowledges
    // the name (a synchronisation would bring the old name back otherwise).
    void renameScenario(QVariantMap scenario, const QString &name,
                        std::shared_ptr<FlowCaller> caller = {}) const;

    static QStringList namingCommand(const QString &number, const QString &name);

private:
    Database &m_store;
    UDPSocketManager &m_channel;
};
