// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"

#include "access/webaccess.h"
#include "backup/homerestore.h"
#include "base/printabletext.h"
#include "clisession.h"
#include "control/appdelegate.h"
#include "control/checkmanager.h"
#include "control/codedecoder.h"
#include "control/devicecommands.h"
#include "control/deviceenrolment.h"
#include "control/homeactions.h"
#include "control/livehome.h"
#include "control/scenariooperations.h"
#include "control/transmitterenrolment.h"
#include "control/udpsocketmanager.h"
#include "matterpairing.h"
#include "statereport.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/commandline.h"
#include "webpairing.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {
// Toasts that report success; any other one reports why a flow failed.
const QString kStoreUnreadable = QStringLiteral("the home's store could not be read");

void printTo(FILE *stream, const QString &text)
{
    std::fprintf(stream, "%s\n", qPrintable(text));
    std::fflush(stream);
}
} // namespace

CliCommands::CliCommands(const HomeServices &home, CliSession &session, bool json)
    : m_home(home), m_session(session), m_json(json)
{
}

void CliCommands::print(const QString &text)
{
    if (m_json)
        m_messages.append(text);
    else
        printTo(stdout, text);
}

int CliCommands::failWith(const QString &message, Status status)
{
    m_error = message;
    printTo(stderr, QStringLiteral("ardentia-ctl: ") + message);
    return status;
}

QString CliCommands::jsonOutcome(int status) const
{
    QJsonObject outcome{{"status", status}, {"messages", QJsonArray::fromStringList(m_messages)}};
    if (!m_error.isEmpty())
        outcome.insert("error", m_error);
    return QString::fromUtf8(QJsonDocument(outcome).toJson(QJsonDocument::Compact));
}

int CliCommands::failureFromFeedback(const QString &fallback)
{
    for (const FlowOutcome &outcome : m_session.outcomes())
        if (!outcome.isDone())
            return failWith(outcome.detail.isEmpty()
                                ? outcome.title
                                : outcome.title + QStringLiteral(": ") + outcome.detail);
    return fallback.isEmpty() ? int(Done) : failWith(fallback);
}

int CliCommands::runFlow(const QString &doneMessage)
{
    if (!m_session.runUntilIdle())
        return failWith(QStringLiteral("no end to the exchange within a minute"));
    const int status = failureFromFeedback({});
    if (status != Done)
        return status;
    if (!doneMessage.isEmpty())
        print(doneMessage);
    else if (const QList<FlowOutcome> outcomes = m_session.outcomes();
             !outcomes.isEmpty() && !outcomes.constLast().title.isEmpty())
        print(outcomes.constLast().title); // the flow's own word of success
    return status;
}

bool CliCommands::refuseUncarriableName(const QString &name)
{
    if (CommandLine::isSendableField(name))
        return false;
    failWith(QStringLiteral("a name has %1: \"%2\"").arg(CommandLine::fieldRule(), name), Usage);
    return true;
}

std::optional<QVariantMap> CliCommands::storedDevice(const QString &id, const QString &type)
{
    std::optional<QVariantMap> device =
        JsonCodec::recordFromJSONString(m_home.store.selectMainDeviceWithMainID(id));
    if (!device) {
        failWith(QStringLiteral("no device %1 in this home").arg(id));
        return std::nullopt;
    }
    if (!type.isEmpty() && device->value(Key::type).toString() != type) {
        failWith(QStringLiteral("%1 is not a %2 device").arg(id, type));
        return std::nullopt;
    }
    return device;
}

std::optional<QVariantMap> CliCommands::storedScenario(const QString &number,
                                                       QList<QVariantMap> *all)
{
    const std::optional<QList<QVariantMap>> read = m_home.store.scenariosIfReadable();
    if (!read) {
        failWith(kStoreUnreadable);
        return std::nullopt;
    }
    const QList<QVariantMap> &scenarios = *read;
    if (all)
        *all = scenarios;
    for (const QVariantMap &scenario : scenarios)
        if (scenario.value(Key::mainID).toString() == number)
            return scenario;
    failWith(QStringLiteral("no scenario %1 in this home").arg(number));
    return std::nullopt;
}

int CliCommands::status()
{
    const std::optional<Database::HomeRecords> home = m_home.store.homeIfReadable();
    if (!home)
        return failWith(kStoreUnreadable);
    const auto &[transmitters, stored, scenarios] = *home;
    // Each device's state as the home confirmed it, else as last stored.
    const LiveHome *live = &m_home.live;
    const QList<QVariantMap> devices = live->withConfirmedStates(stored);
    const auto isConfirmed = [live](const QVariantMap &device) {
        const std::optional<LiveHome::Channel> channel =
            live->channel(device.value(Key::id).toString());
        return channel && channel->isConfirmed();
    };
    if (m_json) {
        const auto array = [](const QList<QVariantMap> &records) {
            QJsonArray out;
            for (const QVariantMap &r : records)
                out.append(QJsonObject::fromVariantMap(r));
            return out;
        };
        QJsonArray deviceArray;
        for (const QVariantMap &device : devices) {
            QJsonObject object = QJsonObject::fromVariantMap(device);
            object.insert(QStringLiteral("confirmed"), isConfirmed(device));
            deviceArray.append(object);
        }
        printTo(stdout,
                QString::fromUtf8(QJsonDocument(QJsonObject{{"transmitters", array(transmitters)},
                                                            {"devices", deviceArray},
                                                            {"scenarios", array(scenarios)}})
                                      .toJson(QJsonDocument::Indented)));
        return Done;
    }
    print(QStringLiteral("Transmitters (%1)").arg(transmitters.size()));
    for (const QVariantMap &t : transmitters)
        print(QStringLiteral("  %1  %2  %3%4")
                  .arg(t.value(Key::id).toString(), printableText(t.value(Key::title).toString()),
                       t.value(Key::address).toString().isEmpty()
                           ? QStringLiteral("(no address)")
                           : t.value(Key::address).toString(),
                       t.value(Key::command).toString() == Value::yes
                           ? QString()
                           : QStringLiteral("  (role not confirmed)")));
    print(QStringLiteral("Devices (%1)").arg(devices.size()));
    for (const QVariantMap &d : devices)
        print(QStringLiteral("  %1  %2  %3  %4%5  used %6")
                  .arg(d.value(Key::id).toString(), d.value(Key::type).toString(),
                       printableText(d.value(Key::title).toString()),
                       d.value(Key::turnOn).toString(),
                       isConfirmed(d) ? QString() : QStringLiteral(" (last stored)"),
                       d.value(Key::controlTimes).toString()));
    print(QStringLiteral("Scenarios (%1)").arg(scenarios.size()));
    for (const QVariantMap &s : scenarios)
        // One substitution for all: a title holding "%1" is printed as it is.
        print(QStringLiteral("  %1  %2%3  %4 devices  run %5")
                  .arg(s.value(Key::mainID).toString(),
                       printableText(s.value(Key::title).toString()),
                       s.value(Key::state).toString() == Value::yes ? QStringLiteral(" (last run)")
                                                                    : QString(),
                       QString::number(RecordFactory::sceneDevices(s).size()),
                       s.value(Key::controlTimes).toString()));
    return Done;
}

int CliCommands::locate()
{
    const QList<QVariantMap> transmitters = m_home.store.readAllSuperBoxInfo();
    if (transmitters.isEmpty())
        return failWith(QStringLiteral("Please scan the transmitter first"));
    const QString id = transmitters.constFirst().value(Key::id).toString();
    m_home.channel.getGatewayIPWithID(id, std::nullopt,
                                      FlowCaller::carried({}, m_session.caller()));
    const int status = runFlow({});
    if (status != Done)
        return status;
    if (m_home.application.ifConnected() != AppDelegate::kConnected)
        return failWith(QStringLiteral("Network connection failed"));
    print(QStringLiteral("%1 is at %2")
              .arg(id,
                   m_home.store.readAllSuperBoxInfo().constFirst().value(Key::address).toString()));
    return Done;
}

int CliCommands::state(const QStringList &ids)
{
    Database *store = &m_home.store;
    if (store->readAllSuperBoxInfo().isEmpty())
        return failWith(QStringLiteral("Please scan the transmitter first"));
    QList<QVariantMap> channels;
    if (ids.isEmpty()) {
        for (const QVariantMap &device : store->readAllMainDeviceInfo())
            if (device.value(Key::type) == Value::lighting ||
                device.value(Key::type) == Value::curtain)
                channels.append(device);
    }
    for (const QString &id : ids) {
        const std::optional<QVariantMap> device = storedDevice(id);
        if (!device)
            return Failed;
        channels.append(*device);
    }
    const StateReport report(channels, m_home.live);
    for (const QVariantMap &channel : std::as_const(channels))
        m_home.channel.queryStateInBackground(channel);
    if (!m_session.runUntilIdle())
        return failWith(QStringLiteral("no end to the exchange within a minute"));
    const int status = report.allAnswered() ? Done : Failed;
    if (m_json)
        std::printf("%s\n",
                    QJsonDocument(QJsonObject{{"status", status}, {"channels", report.json()}})
                        .toJson(QJsonDocument::Compact)
                        .constData());
    else
        for (const QString &line : report.text())
            print(line);
    if (status != Done)
        failWith(QStringLiteral("some channels did not answer"));
    return status;
}

int CliCommands::addTransmitter(const QString &code)
{
    const QString scanType = m_home.store.readAllSuperBoxInfo().isEmpty()
                                 ? CodeDecoder::kTransmitterMode
                                 : CodeDecoder::kDeviceMode;
    if (CodeDecoder(m_home).decoderWithResult(code.toUpper(), scanType, m_session.caller().get()) !=
        CodeDecoder::Accepted)
        return failureFromFeedback(QStringLiteral("Invalid BarCode"));
    if (m_session.decodedKind() != CodeDecoder::kTransmitterMode)
        return failWith(QStringLiteral("%1 is a controller: use add-device").arg(code), Usage);
    const QString id = m_session.decodedId();
    print(m_session.decodedSummary());
    print(TransmitterEnrolment(m_home).roleLine(id));

    TransmitterEnrolment(m_home).connect(id, m_session.caller());
    if (!m_session.runUntilIdle())
        return failWith(QStringLiteral("no end to the exchange within a minute"));
    const std::optional<FlowOutcome> enrolled = m_session.lastOutcome();
    if (!enrolled || !enrolled->isDone())
        return failureFromFeedback(QStringLiteral("Network connection failed"));
    print(QStringLiteral("Connection successful"));
    TransmitterEnrolment(m_home).importConfiguration(m_session.caller());
    return importOutcome();
}

int CliCommands::addDevice(const QString &code, const QStringList &names)
{
    for (const QString &name : names)
        if (refuseUncarriableName(name))
            return Usage;
    const QString scanType = m_home.store.readAllSuperBoxInfo().isEmpty()
                                 ? CodeDecoder::kTransmitterMode
                                 : CodeDecoder::kDeviceMode;
    if (CodeDecoder(m_home).decoderWithResult(code.toUpper(), scanType, m_session.caller().get()) !=
        CodeDecoder::Accepted)
        return failureFromFeedback(QStringLiteral("Invalid BarCode"));
    if (m_session.decodedKind() == CodeDecoder::kTransmitterMode)
        return failWith(QStringLiteral("%1 is a transmitter: use add-transmitter").arg(code),
                        Usage);
    print(m_session.decodedSummary());
    QList<QVariantMap> records = DeviceEnrolment(m_home).channelRecords(
        m_session.decodedId(), m_session.decodedGroupCount(), m_session.decodedKind());
    if (names.size() > records.size())
        return failWith(
            QStringLiteral("%1 names for %2 channels").arg(names.size()).arg(records.size()),
            Usage);
    for (qsizetype i = 0; i < names.size(); ++i)
        records[i].insert(Key::title, names.at(i));

    if (!DeviceEnrolment(m_home).connect(records, m_session.caller()))
        return failWith(QStringLiteral("this controller has no channels"));
    if (!m_session.runUntilIdle())
        return failWith(QStringLiteral("no end to the exchange within a minute"));
    const QList<FlowOutcome> outcomes = m_session.outcomes();
    const auto enrolled = std::find_if(outcomes.crbegin(), outcomes.crend(),
                                       [](const FlowOutcome &o) { return o.accepted.has_value(); });
    const int added = enrolled == outcomes.crend() ? 0 : *enrolled->accepted;
    if (added != records.size())
        return failWith(QStringLiteral("Added %1 Device").arg(added));
    for (const QVariantMap &record : DeviceEnrolment::operationList(records))
        if (record.contains(Key::haveSend))
            print(
                QStringLiteral("  %1  %2")
                    .arg(
                        record.value(Key::insertDevice).toMap().value(Key::id).toString(),
                        printableText(
                            record.value(Key::insertDevice).toMap().value(Key::title).toString())));
    print(QStringLiteral("Connection successful"));
    return Done;
}

bool CliCommands::applySetting(QVariantMap &device, const QString &state)
{
    const QString s = state.toLower();
    const ChannelKind kind = Channel::kindOf(device);
    if (kind == ChannelKind::Curtain) {
        const QHash<QString, QString> motions{{"open", "1"}, {"close", "0"}, {"stop", "2"}};
        if (!motions.contains(s))
            return false;
        device.insert(Key::turnOn, s == QLatin1String("open") ? Value::yes : Value::no);
        DeviceCommands(m_home).moveCurtain(device, motions.value(s), m_session.caller());
        return true;
    }
    // The record takes the state asked for: a scenario records it.
    const bool dimmer = kind == ChannelKind::Dimmer;
    const bool onOrOff = s == QLatin1String("on") || s == QLatin1String("off");
    if (onOrOff && !dimmer) {
        device.insert(Key::turnOn, s == QLatin1String("on") ? Value::yes : Value::no);
        DeviceCommands(m_home).switchLight(device, s == QLatin1String("on"), m_session.caller());
        return true;
    }
    bool number = onOrOff;
    const int level = onOrOff ? (s == QLatin1String("on") ? 100 : 0) : s.toInt(&number);
    if (!number || !dimmer || level < 0 || level > 100)
        return false;
    device.insert(Key::turnOn, QString::number(level));
    DeviceCommands(m_home).dimLight(device, level, m_session.caller());
    return true;
}

int CliCommands::light(const QString &id, const QString &setting)
{
    std::optional<QVariantMap> device = storedDevice(id, Value::lighting);
    if (!device)
        return Failed;
    if (!applySetting(*device, setting))
        return failWith(QStringLiteral("a light takes on, off or (dimmers) a level 0-100"), Usage);
    return runFlow(QStringLiteral("%1 is %2").arg(id, device->value(Key::turnOn).toString()));
}

int CliCommands::curtain(const QString &id, const QString &motion)
{
    std::optional<QVariantMap> device = storedDevice(id, Value::curtain);
    if (!device)
        return Failed;
    if (!applySetting(*device, motion))
        return failWith(QStringLiteral("a curtain takes open, close or stop"), Usage);
    return runFlow(QStringLiteral("%1: %2").arg(id, motion));
}

int CliCommands::all(const QString &setting)
{
    if (setting != QLatin1String("on") && setting != QLatin1String("off"))
        return failWith(QStringLiteral("all takes on or off"), Usage);
    return runScenario(setting == QLatin1String("on") ? Value::allOnMainID : Value::allOffMainID);
}

int CliCommands::runScenario(const QString &number)
{
    QList<QVariantMap> scenarios;
    if (!storedScenario(number, &scenarios))
        return Failed;
    for (QVariantMap &scenario : scenarios)
        if (scenario.value(Key::mainID).toString() == number) {
            CheckManager(m_home).changeScenarioWithDictionary(scenario, scenarios,
                                                              m_session.caller());
            return runFlow(QStringLiteral("%1 runs").arg(scenario.value(Key::title).toString()));
        }
    return Failed;
}

std::optional<QList<QVariantMap>> CliCommands::driveDevices(const QStringList &settings)
{
    QList<QVariantMap> devices;
    for (const QString &setting : settings) {
        const QString id = setting.section(QLatin1Char('='), 0, 0);
        const QString state = setting.section(QLatin1Char('='), 1);
        std::optional<QVariantMap> device = storedDevice(id);
        if (!device)
            return std::nullopt;
        if (state.isEmpty() || !applySetting(*device, state)) {
            failWith(QStringLiteral("\"%1\": give each device as ID=STATE (on, off, 0-100, open, "
                                    "close)")
                         .arg(setting),
                     Usage);
            return std::nullopt;
        }
        // The device is set to the state the scenario records, as on the screen.
        if (runFlow({}) != Done)
            return std::nullopt;
        devices.append(*device);
    }
    return devices;
}

int CliCommands::createScenario(const QString &name, const QStringList &settings)
{
    if (refuseUncarriableName(name))
        return Usage;
    if (settings.isEmpty())
        return failWith(QStringLiteral("a scenario needs at least one ID=STATE"), Usage);
    if (m_home.store.readAllScenarioInfo().size() >= CheckManager::kMaxScenarioRecords)
        return failWith(QStringLiteral("Maximum 8 scenarios"));
    const std::optional<QList<QVariantMap>> devices = driveDevices(settings);
    if (!devices)
        return Failed;
    const QString number = ScenarioOperations(m_home).nextScenarioNumber();
    ScenarioOperations(m_home).startNamedQueue(
        ScenarioOperations::creationQueue(*devices, number), name,
        ScenarioOperations::newScenarioRecord(number, name, {}), m_session.caller());
    return runFlow(QStringLiteral("Scenario %1 \"%2\" saved").arg(number, name));
}

int CliCommands::editScenario(const QString &number, const QStringList &settings)
{
    const std::optional<QVariantMap> scenario = storedScenario(number);
    if (!scenario)
        return Failed;
    if (!RecordFactory::isUserScenario(*scenario))
        return failWith(QStringLiteral("the built-in scenarios cannot be edited"), Usage);
    const std::optional<QList<QVariantMap>> devices = driveDevices(settings);
    if (!devices)
        return Failed;
    ScenarioOperations(m_home).startNamedQueue(ScenarioOperations::editQueue(*scenario, *devices),
                                               scenario->value(Key::title).toString(), *scenario,
                                               m_session.caller());
    return runFlow(QStringLiteral("Scenario %1 saved").arg(number));
}

int CliCommands::renameScenario(const QString &number, const QString &name)
{
    if (refuseUncarriableName(name))
        return Usage;
    std::optional<QVariantMap> scenario = storedScenario(number);
    if (!scenario)
        return Failed;
    ScenarioOperations(m_home).renameScenario(*scenario, name, m_session.caller());
    return runFlow(QStringLiteral("Scenario %1 is \"%2\"").arg(number, name));
}

int CliCommands::deleteScenario(const QString &number)
{
    const std::optional<QVariantMap> scenario = storedScenario(number);
    if (!scenario)
        return Failed;
    if (!RecordFactory::isUserScenario(*scenario))
        return failWith(QStringLiteral("the built-in scenarios cannot be deleted"), Usage);
    if (!ScenarioOperations(m_home).deleteScenario(*scenario, m_session.caller()))
        return failWith(QStringLiteral("scenario %1 has no devices").arg(number));
    return runFlow({});
}

int CliCommands::rename(const QString &id, const QString &name)
{
    if (refuseUncarriableName(name))
        return Usage;
    std::optional<QVariantMap> device = storedDevice(id);
    if (!device)
        return Failed;
    DeviceCommands(m_home).renameDevice(*device, name, m_session.caller());
    return runFlow(QStringLiteral("%1 is \"%2\"").arg(id, name));
}

int CliCommands::remove(const QString &id)
{
    const std::optional<QVariantMap> device = storedDevice(id);
    if (!device)
        return Failed;
    DeviceCommands(m_home).removeDevice(*device, m_session.caller());
    // A question declined (no --force) ends the removal refused: the question says why.
    const bool asked = m_session.runUntilIdle() && !m_session.questions().isEmpty();
    const bool gone = m_home.store.selectMainDeviceWithMainID(id).isEmpty();
    if (asked && !gone)
        return failWith(m_session.questions().constFirst() +
                        QStringLiteral(" (--force removes it)"));
    const int status = runFlow({});
    if (status != Done || asked)
        return status; // removed by force: the flow said so
    print(QStringLiteral("%1 removed").arg(id));
    return Done;
}

int CliCommands::sync()
{
    HomeActions(m_home).synchronizeData(m_session.caller());
    return importOutcome();
}

int CliCommands::importOutcome()
{
    if (!m_session.runUntilIdle())
        return failWith(QStringLiteral("no end to the exchange within a minute"));
    const int status = failureFromFeedback({});
    if (status != Done)
        return status;
    // The import's own word of success, not another flow's.
    for (const FlowOutcome &outcome : m_session.outcomes())
        if (outcome.isDone() && !outcome.title.isEmpty()) {
            print(outcome.title);
            return Done;
        }
    return failWith(QStringLiteral("the import ended before the configuration was complete"));
}

int CliCommands::cleanAll()
{
    HomeActions(m_home).cleanAll(m_session.caller());
    return runFlow(QStringLiteral("Clean all successful"));
}

int CliCommands::printOutcome(const PrintedOutcome &outcome)
{
    if (!outcome.done)
        return failWith(outcome.text);
    print(outcome.text);
    return Done;
}

int CliCommands::webPair(const QString &baseUrl, bool owner)
{
    return printOutcome(
        WebPairing::pair(baseUrl, owner ? WebAccess::Role::Owner : WebAccess::Role::Family));
}

int CliCommands::webTokens(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return printOutcome(WebPairing::listTokens());
    if (arguments.constFirst() == QLatin1String("revoke"))
        return printOutcome(WebPairing::revoke(arguments.value(1)));
    const std::optional<WebAccess::Role> role = WebAccess::roleNamed(arguments.value(2));
    if (!role)
        return failWith(QStringLiteral("a role is \"owner\" or \"family\""), Usage);
    return printOutcome(WebPairing::setRole(arguments.value(1), *role));
}

int CliCommands::matterPair(const QString &folder)
{
    return printOutcome(MatterPairing(folder).pair());
}

int CliCommands::backup(const BackupSources &sources, const QString &file)
{
    const QString target =
        file.isEmpty()
            ? QStringLiteral("ardentia-backup-%1.tar.gz")
                  .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss")))
            : file;
    if (const std::optional<QString> failed = BackupWriter(sources).write(target))
        return failWith(*failed);
    print(QStringLiteral("backup written to %1").arg(target));
    return Done;
}

int CliCommands::restore(const BackupSources &target, const QString &file)
{
    if (const std::optional<QString> failed = HomeRestore(target).restore(file))
        return failWith(*failed);
    print(QStringLiteral("home restored from %1; the home as it was is kept in %2")
              .arg(file, HomeRestore::keptBackupsFolder(target.dataFolder)));
    print(QStringLiteral("restart ardentia-bridge and ardentia-matter where they run"));
    return Done;
}

int CliCommands::matterFabrics(const QString &folder, const QString &removeId)
{
    const MatterPairing pairing(folder);
    return printOutcome(removeId.isEmpty() ? pairing.listControllers()
                                           : pairing.removeController(removeId));
}
