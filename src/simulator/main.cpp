// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmitterserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>

#include <cstdio>

namespace {
int fail(const QString &message)
{
    std::fprintf(stderr, "ardentia-transmitter: %s\n", qPrintable(message));
    return 2;
}

// One transmitter not yet configured, and one more to enrol as a slave:
// the home a new installation starts from.
SimulatedHome freshHome()
{
    SimulatedHome home;
    home.addTransmitter({QStringLiteral("20AA10000001"), QStringLiteral("127.0.0.2"),
                         SimulatedHome::Role::Unset, true});
    home.addTransmitter({QStringLiteral("20AA10000002"), QStringLiteral("127.0.0.3"),
                         SimulatedHome::Role::Unset, true});
    return home;
}

std::optional<SimulatedHome> loadHome(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        *error = QStringLiteral("%1 is not a home: %2").arg(path, parseError.errorString());
        return std::nullopt;
    }
    return SimulatedHome::fromJson(document.object(), error);
}

// The master on the given address, the other transmitters on the ones after it.
SimulatedHome rebound(const SimulatedHome &home, const QHostAddress &first)
{
    SimulatedHome moved;
    moved.setCapacity(home.maxTransmitters(), home.maxChannels());
    quint32 next = first.toIPv4Address();
    for (SimulatedHome::Transmitter t : home.transmitters()) {
        t.address = QHostAddress(next++).toString();
        moved.addTransmitter(t);
    }
    for (const SimulatedHome::Channel &c : home.channels())
        moved.addChannel(c);
    for (const SimulatedHome::Scenario &s : home.scenarios())
        moved.setScenario(s);
    return moved;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ardentia-transmitter"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulates the transmitters of an Ardentia Home installation: answers the app's command "
        "lines on UDP (port 9899) and its configuration import on TCP (port 10000). Binds to "
        "loopback addresses unless told otherwise.\n\n"
        "Without --demo or --state it starts a new installation: two transmitters "
        "(20AA10000001 on 127.0.0.2, 20AA10000002 on 127.0.0.3), neither configured yet.");
    parser.addHelpOption();
    const QCommandLineOption demo("demo", "Start from a demo home: a master, one slave, switched "
                                          "and dimmable lights, curtains, two named scenarios.");
    const QCommandLineOption state("state",
                                   "Load the home from FILE (JSON) when it exists and save "
                                   "every change to it.",
                                   "FILE");
    const QCommandLineOption bind("bind",
                                  "Put the master on ADDR and the other transmitters on the "
                                  "addresses after it.",
                                  "ADDR");
    const QCommandLineOption port("port", "Datagram port (default 9899).", "N", "9899");
    const QCommandLineOption streamPort("stream-port", "Import port (default 10000).", "N",
                                        "10000");
    const QCommandLineOption fault(
        "fault",
        "Misbehave on purpose, FAMILY:OP:ID=ACTION[:VALUE] with * for any; ACTION is drop, "
        "drop:N% (that share of the replies), delay:MS, delay:MIN-MAX, code:N, notoken, badutf8, "
        "short or inplace (the code replaces the request's last field). Repeatable; the first rule "
        "that plays wins. Example: lig:12:*=code:135",
        "RULE");
    const QCommandLineOption seed("seed", "Seed of the faults' chance (default 9899).", "N",
                                  QString::number(FaultPlan::kDefaultSeed));
    const QCommandLineOption stream("stream",
                                    "Shape the import reply: chunks:N, slow:MS, split-marker, cut "
                                    "or silent. Repeatable.",
                                    "SHAPE");
    const QCommandLineOption offline("offline", "Take this slave transmitter off its radio link.",
                                     "ID");
    const QCommandLineOption silentChannel("silent-channel",
                                           "This controller channel no longer answers.", "ID");
    const QCommandLineOption quiet("quiet", "Do not log the exchanges.");
    parser.addOptions(
        {demo, state, bind, port, streamPort, fault, seed, stream, offline, silentChannel, quiet});
    parser.process(app);

    QString error;
    std::optional<SimulatedHome> home;
    const QString statePath = parser.value(state);
    if (!statePath.isEmpty() && QFile::exists(statePath))
        home = loadHome(statePath, &error);
    else
        home = parser.isSet(demo) ? SimulatedHome::demo() : freshHome();
    if (!home)
        return fail(error);
    if (parser.isSet(bind)) {
        const QHostAddress address(parser.value(bind));
        if (address.protocol() != QAbstractSocket::IPv4Protocol)
            return fail(QStringLiteral("--bind needs an IPv4 address"));
        home = rebound(*home, address);
    }
    for (const QString &id : parser.values(offline))
        if (!home->setTransmitterOnline(id, false))
            return fail(QStringLiteral("no transmitter %1").arg(id));
    for (const QString &id : parser.values(silentChannel))
        if (!home->setChannelResponsive(id, false))
            return fail(QStringLiteral("no channel %1").arg(id));

    TransmitterServer server(*home);
    server.setLogging(!parser.isSet(quiet));
    server.faults().setSeed(parser.value(seed).toUInt());
    for (const QString &text : parser.values(fault)) {
        const std::optional<FaultRule> rule = FaultRule::parse(text, &error);
        if (!rule)
            return fail(error);
        server.faults().add(*rule);
    }
    for (const QString &text : parser.values(stream))
        if (!server.streamPlan().parse(text, &error))
            return fail(error);
    if (!statePath.isEmpty()) {
        server.setStatePath(statePath);
        if (!server.saveState(&error))
            return fail(QStringLiteral("cannot write %1: %2").arg(statePath, error));
    }
    if (!server.start(quint16(parser.value(port).toUInt()),
                      quint16(parser.value(streamPort).toUInt()), &error))
        return fail(error);
    // One line on standard output once every socket is bound: scripts and
    // tests wait for it instead of for a while.
    std::printf("listening: datagrams on port %u, import on port %u\n",
                unsigned(server.datagramPort()), unsigned(server.streamPort()));
    std::fflush(stdout);
    return app.exec();
}
