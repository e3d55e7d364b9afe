// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printedoutcome.h"

#include <QStringList>

#include "backup/backupwriter.h"
#include "control/homeservices.h"
#include "schedule/schedule.h"

#include <QVariantMap>

#include <optional>

class CliSession;

// The commands of ardentia-ctl. Each answers an exit status: 0 done, 1 the
// system refused or failed (its message on stderr), 2 a usage error.
class CliCommands {
public:
    enum Status { Done = 0, Failed = 1, Usage = 2 };

    CliCommands(const HomeServices &home, CliSession &session, bool json);

    int status();
    // With --json: {"status": N, "messages": [...], "error": "..."} for a command's outcome.
    QString jsonOutcome(int status) const;
    bool printsItsOwnJson(const QStringList &args) const
    {
        return args.value(0) == "status" || args.value(0) == "state" ||
               (args.value(0) == "schedule" && args.value(1) == "list");
    }
    int locate();
    // Asks the named channels (every stored light and curtain without IDs)
    // for their state: what each reported, against the store; 1 when any
    // did not answer.
    int state(const QStringList &ids);
    int addTransmitter(const QString &code);
    int addDevice(const QString &code, const QStringList &names);
    int light(const QString &id, const QString &setting);
    int curtain(const QString &id, const QString &motion);
    int all(const QString &setting);
    int runScenario(const QString &number);
    int createScenario(const QString &name, const QStringList &settings);
    int editScenario(const QString &number, const QStringList &settings);
    int renameScenario(const QString &number, const QString &name);
    int deleteScenario(const QString &number);
    int rename(const QString &id, const QString &name);
    int remove(const QString &id);
    int sync();
    int cleanAll();
    int webPair(const QString &baseUrl, bool owner);
    // The paired devices; "revoke ID": that device's token revoked; "role
    // ID ROLE": its role changed.
    int webTokens(const QStringList &arguments);
    // Pairing with ardentia-matter (its data folder); the paired controllers,
    // or with an ID that controller removed.
    int matterPair(const QString &folder);
    int matterFabrics(const QString &folder, const QString &removeId);
    int backup(const BackupSources &sources, const QString &file);
    int restore(const BackupSources &target, const QString &file);
    // The home's schedules (schedulecommands.cpp); a refused one changes nothing.
    int scheduleList();
    int scheduleAdd(const QString &name, const QStringList &words);
    int scheduleEdit(const QString &id, const QStringList &words);
    int scheduleSwitch(const QString &id, bool on);
    int scheduleRemove(const QString &id);
    // Without coordinates: where the home is.
    int scheduleLocation(const QStringList &coordinates);

private:
    int runFlow(const QString &doneMessage);
    int importOutcome();
    int failWith(const QString &message, Status status = Failed);
    // The outcome's text printed, or its failure reported.
    int printOutcome(const PrintedOutcome &outcome);
    int failureFromFeedback(const QString &fallback);
    bool refuseUncarriableName(const QString &name);
    std::optional<QVariantMap> storedDevice(const QString &id, const QString &type = {});
    std::optional<QVariantMap> storedScenario(const QString &number,
                                              QList<QVariantMap> *all = nullptr);
    // Sets each "ID=STATE" device to its state; the records in the states they now have.
    std::optional<QList<QVariantMap>> driveDevices(const QStringList &settings);
    bool applySetting(QVariantMap &device, const QString &state);
    int sendAndWait(const QString &doneMessage, const QStringList &failures);
    void print(const QString &text);
    std::optional<Schedule> storedSchedule(const QString &id);
    // Stored when the rules allow it; its ID fills the done message.
    int saveSchedule(Schedule &schedule, const QString &doneMessage);

    HomeServices m_home;
    CliSession &m_session;
    bool m_json;
    QStringList m_messages;
    QString m_error;
};
