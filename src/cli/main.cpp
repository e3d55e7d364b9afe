// SPDX-License-Identifier: GPL-3.0-or-later
// ardentia-ctl: the home from the command line, through the same code the app uses.
#include "base/printabletext.h"
#include "clicommands.h"
#include "clisession.h"
#include "matterpairing.h"

#include "base/documents.h"
#include "control/delegatemanager.h"
#include "core/programobjects.h"
#include "transport/localaddress.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cstdio>

namespace {
const char *const kCommands =
    "Commands:\n"
    "  status                         transmitters, devices and scenarios of the store\n"
    "  locate                         find the master on the network and store its address\n"
    "  state [ID ...]                 ask the named channels (all without IDs) for their\n"
    "                                 state and compare it with the store\n"
    "  add-transmitter CODE           enrol a transmitter (the first is the master), then\n"
    "                                 import the master's configuration\n"
    "  add-device CODE [NAME ...]     enrol every channel of a controller, named in order\n"
    "                                 (unnamed channels get their default names)\n"
    "  light ID on|off|LEVEL          switch a light, or dim it (LEVEL 0-100)\n"
    "  curtain ID open|close|stop     move a curtain\n"
    "  all on|off                     every light on or off\n"
    "  scenario run N                 run scenario N (-1 All On, -2 All Off, 1-8)\n"
    "  scenario create NAME ID=STATE ...  set each device to STATE (on, off, 0-100,\n"
    "                                 open, close) and store them as a new scenario\n"
    "  scenario edit N ID=STATE ...   make these devices and states scenario N's\n"
    "  scenario rename N NAME         rename scenario N\n"
    "  scenario delete N              delete scenario N\n"
    "  schedule list                  the home's schedules with their next runs (--json:\n"
    "                                 a JSON array)\n"
    "  schedule add NAME WHEN ACTION  make a schedule; the running bridge runs it\n"
    "                                 WHEN: at HH:MM [days DAYS] | at HH:MM on YYYY-MM-DD\n"
    "                                 | sunrise[+MIN|-MIN] [days DAYS] | sunset[+-MIN] ...\n"
    "                                 DAYS: daily, weekdays, weekend, mon-fri, sat,sun ...\n"
    "                                 ACTION: switch ID on|off | dim ID LEVEL\n"
    "                                 | curtain ID open|close|stop | scenario N\n"
    "                                 (N: 1-8, all-on or all-off)\n"
    "  schedule edit ID WORDS ...     change what the words name (as for add, and\n"
    "                                 name NAME)\n"
    "  schedule on|off ID             switch a schedule on or off\n"
    "  schedule remove ID             remove a schedule\n"
    "  schedule location [LAT LON]    where the home is, for sunrise and sunset (such as\n"
    "                                 52.52 13.40 or 33.87S 151.21E)\n"
    "  rename ID NAME                 rename a device\n"
    "  remove ID                      remove a device (--force removes one that does not\n"
    "                                 answer)\n"
    "  sync                           import the master's configuration again\n"
    "  clean-all                      empty the home (the two built-in scenarios stay)\n"
    "  web-pair [URL]                 a one-time link (and its QR code) that pairs a phone\n"
    "                                 with the bridge's web remote at URL, as a family\n"
    "                                 member's (--owner: as the owner's)\n"
    "  web-tokens [revoke ID]         the paired devices with their roles, or take one's\n"
    "                                 access away\n"
    "  web-tokens role ID owner|family  change a paired device's role\n"
    "  matter-pair                    open ardentia-matter's pairing for 15 minutes and\n"
    "                                 show its setup code and QR code\n"
    "  matter-fabrics [remove ID]     the Matter controllers paired, or remove one\n"
    "  backup [FILE]                  one archive of the whole home: the store (a\n"
    "                                 consistent copy, also while the bridge runs), the\n"
    "                                 scenarios' pictures, the web remote's access, the\n"
    "                                 bridge's settings (--settings) and ardentia-matter's\n"
    "                                 pairings (--matter, when readable)\n"
    "  restore FILE                   check a backup whole, then put it in place of the\n"
    "                                 home in one step (the home as it was is kept in the\n"
    "                                 data folder's backups/); with --settings and --matter\n"
    "                                 their parts too. Restart the bridge afterwards.\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed (the reason on stderr), 2 usage error.\n"
    "Names cannot hold \",\", \"\\n\" (backslash and n), line breaks or other control\n"
    "characters: the transmitters' protocol cannot carry them.\n";

int usage(const QString &message)
{
    std::fprintf(stderr, "ardentia-ctl: %s\nTry ardentia-ctl --help.\n", qPrintable(message));
    return CliCommands::Usage;
}

int dispatch(CliCommands &commands, const QStringList &args, const QString &matterFolder,
             bool owner, const BackupSources &backupSources)
{
    const QString command = args.value(0);
    const auto need = [&args](qsizetype count) { return args.size() >= count; };
    if (command == "status" && args.size() == 1)
        return commands.status();
    if (command == "locate" && args.size() == 1)
        return commands.locate();
    if (command == "state")
        return commands.state(args.mid(1));
    if (command == "add-transmitter" && args.size() == 2)
        return commands.addTransmitter(args.at(1));
    if (command == "add-device" && need(2))
        return commands.addDevice(args.at(1), args.mid(2));
    if (command == "light" && args.size() == 3)
        return commands.light(args.at(1), args.at(2));
    if (command == "curtain" && args.size() == 3)
        return commands.curtain(args.at(1), args.at(2));
    if (command == "all" && args.size() == 2)
        return commands.all(args.at(1));
    if (command == "rename" && args.size() == 3)
        return commands.rename(args.at(1), args.at(2));
    if (command == "remove" && args.size() == 2)
        return commands.remove(args.at(1));
    if (command == "sync" && args.size() == 1)
        return commands.sync();
    if (command == "clean-all" && args.size() == 1)
        return commands.cleanAll();
    if (command == "web-pair" && args.size() <= 2)
        return commands.webPair(args.value(1), owner);
    if (command == "web-tokens" &&
        (args.size() == 1 || (args.size() == 3 && args.at(1) == "revoke") ||
         (args.size() == 4 && args.at(1) == "role")))
        return commands.webTokens(args.mid(1));
    if (command == "matter-pair" && args.size() == 1)
        return commands.matterPair(matterFolder);
    if (command == "matter-fabrics" &&
        (args.size() == 1 || (args.size() == 3 && args.at(1) == "remove")))
        return commands.matterFabrics(matterFolder, args.value(2));
    if (command == "backup" && args.size() <= 2)
        return commands.backup(backupSources, args.value(1));
    if (command == "restore" && args.size() == 2)
        return commands.restore(backupSources, args.at(1));
    if (command == "schedule") {
        const QString verb = args.value(1);
        if (verb == "list" && args.size() == 2)
            return commands.scheduleList();
        if (verb == "add" && need(3))
            return commands.scheduleAdd(args.at(2), args.mid(3));
        if (verb == "edit" && need(4))
            return commands.scheduleEdit(args.at(2), args.mid(3));
        if ((verb == "on" || verb == "off") && args.size() == 3)
            return commands.scheduleSwitch(args.at(2), verb == "on");
        if (verb == "remove" && args.size() == 3)
            return commands.scheduleRemove(args.at(2));
        if (verb == "location" && (args.size() == 2 || args.size() == 4))
            return commands.scheduleLocation(args.mid(2));
    }
    if (command == "scenario") {
        const QString verb = args.value(1);
        if (verb == "run" && args.size() == 3)
            return commands.runScenario(args.at(2));
        if (verb == "create" && need(4))
            return commands.createScenario(args.at(2), args.mid(3));
        if (verb == "edit" && need(4))
            return commands.editScenario(args.at(2), args.mid(3));
        if (verb == "rename" && args.size() == 4)
            return commands.renameScenario(args.at(2), args.at(3));
        if (verb == "delete" && args.size() == 3)
            return commands.deleteScenario(args.at(2));
    }
    return usage(command.isEmpty() ? QStringLiteral("no command given")
                                   : QStringLiteral("\"%1\" is not a command, or has the wrong "
                                                    "arguments")
                                         .arg(args.join(' ')));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    keepLogMessagesPrintable(); // names and topics from outside reach the log
    app.setApplicationName(QStringLiteral("ardentia-home")); // shares the app's documents
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Controls an Ardentia Home installation from the command line, with the app's store."));
    parser.addHelpOption();
    const QCommandLineOption json("json", "Machine-readable output: the home for status, else "
                                          "{\"status\", \"messages\", \"error\"}.");
    const QCommandLineOption interface("interface",
                                       "Use this network interface instead of the Wi-Fi one "
                                       "(lo reaches a simulator on this machine).",
                                       "NAME");
    const QCommandLineOption force("force", "Remove a device by force when it does not answer.");
    const QCommandLineOption owner("owner", "With web-pair: pair the owner's device, which may "
                                            "also enrol, name, remove and edit.");
    const QCommandLineOption verbose("verbose", "Log every exchange on stderr.");
    const QCommandLineOption data("data",
                                  "Use the home stored in this folder instead of the app's "
                                  "(a bridge's, for one).",
                                  "FOLDER");
    const QCommandLineOption matter(
        "matter", "ardentia-matter's data folder, for matter-pair and matter-fabrics.", "FOLDER",
        QString::fromLatin1(MatterPairing::kDefaultFolder));
    const QCommandLineOption settings(
        "settings", "ardentia-bridge's settings file, for backup (none by default).", "FILE");
    parser.addOptions({json, interface, force, owner, verbose, data, matter, settings});
    parser.addPositionalArgument("command", "The command and its arguments (see below).");
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    if (!parser.parse(app.arguments()))
        return usage(parser.errorText());
    if (parser.isSet("help")) {
        std::printf("%s\n%s", qPrintable(parser.helpText()), kCommands);
        return 0;
    }
    if (!parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("ardentia.*.info=false"));
    if (parser.isSet(interface))
        LocalAddress::setInterfaceOverride(parser.value(interface));
    if (parser.isSet(data))
        Documents::setDirectoryOverride(parser.value(data));
    Documents::keepFilesPrivate();

    ProgramObjects objects; // outlives the session and the commands, which reach them
    const HomeServices &home = objects.services();
    home.files.initApplicationNeedData();
    CliSession session(home, parser.isSet(force));
    CliCommands commands(home, session, parser.isSet(json));
    // Matter's pairings go into a backup when its folder was named or can be read.
    const bool withMatter = parser.isSet(matter) || QFileInfo(parser.value(matter)).isReadable();
    const BackupSources backupSources{Documents::directory(), parser.value(settings),
                                      withMatter ? parser.value(matter) : QString()};
    const int status = dispatch(commands, parser.positionalArguments(), parser.value(matter),
                                parser.isSet(owner), backupSources);
    if (parser.isSet(json) && !commands.printsItsOwnJson(parser.positionalArguments()))
        std::printf("%s\n", qPrintable(commands.jsonOutcome(status)));
    return status;
}
