// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/controllercommands.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "transport/commandline.h"
#include "transport/gatewayreply.h"
#include "transport/resultcode.h"
#include "transport/scenariocommands.h"
#include "transport/transmittercommands.h"

// Every command form as it goes on the wire, and every reply form as it is read.
class TestGatewayWire : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandsKeepTheirLines_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("line");
        const QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        const QVariantMap living =
            RecordFactory::device("212200004560", "D", "212200004560", "Living");
        const QVariantMap curtain =
            RecordFactory::device("213100007890", "C", "213100007890", "Bedroom");
        const auto row = [](const char *name, const QStringList &command, const QString &fields) {
            QTest::newRow(name) << command << QStringLiteral("token$") + fields + "\\n";
        };
        row("locate", TransmitterCommands::locate("20AA10000001"), "req,gw,20AA10000001,1,0,0");
        row("role m", TransmitterCommands::configureRole("20AA10000001", "20AA10000001", true),
            "cfg,gw,20AA10000001,4,20AA10000001,20AA10000001,m,0");
        row("role s", TransmitterCommands::configureRole("20AA10000001", "20AA10000002", false),
            "cfg,gw,20AA10000001,4,20AA10000002,20AA10000001,s,0");
        row("light on", ControllerCommands::switchLight(hall, true),
            "cfg,lig,211300001230,4,1,0,0");
        row("light off", ControllerCommands::switchLight(hall, false),
            "cfg,lig,211300001230,4,0,0,0");
        row("dim to 35", ControllerCommands::dimLight(living, 35), "cfg,lig,212200004560,4,1,35,0");
        row("dim to 0 is off", ControllerCommands::dimLight(living, 0),
            "cfg,lig,212200004560,4,0,0,0");
        row("dim beyond 100 is 100", ControllerCommands::dimLight(living, 140),
            "cfg,lig,212200004560,4,1,100,0");
        row("curtain open", ControllerCommands::moveCurtain(curtain, "1"),
            "cfg,curtain,213100007890,4,1,0,0");
        row("curtain stop", ControllerCommands::moveCurtain(curtain, "2"),
            "cfg,curtain,213100007890,4,2,0,0");
        row("add", ControllerCommands::add(hall), "cfg,lig,211300001230,11,0,0,0");
        row("remove", ControllerCommands::remove(curtain), "cfg,curtain,213100007890,12,0,0,0");
        row("join scenario", ControllerCommands::joinScenario(hall, "3"),
            "cfg,lig,211300001230,13,3,0,0");
        row("leave scenario", ControllerCommands::leaveScenario(hall, "3"),
            "cfg,lig,211300001230,14,3,0,0");
        row("name", ControllerCommands::name(hall, "Front hall"),
            "cfg,lig,211300001230,15,Front hall,0,0");
        row("force remove", ControllerCommands::forceRemove(hall), "cfg,lig,211300001230,18,0,0,0");
        row("state query", ControllerCommands::stateQuery(curtain),
            "req,curtain,213100007890,0,0,0,0");
        row("all on", ControllerCommands::switchAllLights(true), "cfg,lig,2111FFFFFFFF,5,0,0,0");
        row("all off", ControllerCommands::switchAllLights(false), "cfg,lig,2111FFFFFFFF,6,0,0,0");
        row("scenario name", ScenarioCommands::name("4", "Cinema"), "cfg,scename,1,4,Cinema,0");
        row("scenario run", ScenarioCommands::run("4"), "cfg,scenario,4,1");
    }
    void commandsKeepTheirLines()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, line);
        QCOMPARE(CommandLine::lineFromCommandArray(command), line);
    }

    void importRequestHasItsOwnFraming()
    {
        QCOMPARE(TransmitterCommands::importRequest().join(','),
                 QStringLiteral("req,gw,start,import,0,0"));
    }

    void codeFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("code");
        QTest::newRow("zero") << R"(0\n)" << int(ResultCode::Accepted);
        QTest::newRow("already master") << R"(142\n)" << int(ResultCode::AlreadyMaster);
        QTest::newRow("no suffix loses its last digits") << "142" << 1;
        QTest::newRow("garbage") << R"(ok\n)" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("one character") << "5" << 0;
        QTest::newRow("negative") << R"(-3\n)" << -3;
        QTest::newRow("huge is clamped")
            << R"(99999999999999\n)" << std::numeric_limits<int>::max();
    }
    void codeFields()
    {
        QFETCH(QString, field);
        QFETCH(int, code);
        QCOMPARE(GatewayReply::codeOfField(field), code);
    }

    void locateAnswers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // "id@address", or "" for none
        QTest::newRow("answer") << R"(token$res,gw,20AA10000001,1,192.168.1.23,0\n)"
                                << "20AA10000001@192.168.1.23";
        QTest::newRow("too short") << "token$res,gw,20AA10000001,1"
                                   << "";
        QTest::newRow("not a locate") << R"(token$res,gw,20AA10000001,2,192.168.1.23\n)"
                                      << "";
        QTest::newRow("address of three parts") << R"(token$res,gw,A,1,10.0.5,0\n)"
                                                << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void locateAnswers()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto answer = GatewayReply::locateAnswer(text);
        QCOMPARE(answer ? answer->transmitterId + "@" + answer->address : QString(), parsed);
    }

    void roleAcknowledgements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // "id role code"
        QTest::newRow("accepted as master") << R"(token$ack,gw,A1,4,A1,A1,m,0\n)"
                                            << "A1 m 0";
        QTest::newRow("already slave") << R"(token$ack,gw,A1,4,A2,A1,s,143\n)"
                                       << "A2 s 143";
        QTest::newRow("seven fields") << R"(token$ack,gw,A1,4,A2,A1,s\n)"
                                      << "";
        QTest::newRow("not a role command") << R"(token$ack,gw,A1,5,A2,A1,s,0\n)"
                                            << "";
    }
    void roleAcknowledgements()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto ack = GatewayReply::roleAcknowledgement(text);
        QCOMPARE(ack ? QStringLiteral("%1 %2 %3")
                           .arg(ack->transmitterId, ack->asMaster ? "m" : "s")
                           .arg(ack->code)
                     : QString(),
                 parsed);
    }

    void deviceAcknowledgements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // "id op parameter code"
        QTest::newRow("control") << R"(token$ack,lig,211300001230,4,1,0,0\n)"
                                 << "211300001230 4 1 0";
        QTest::newRow("curtain refused") << R"(token$ack,curtain,213100007890,4,2,0,3\n)"
                                         << "213100007890 4 2 3";
        QTest::newRow("removal unknown") << R"(token$ack,lig,211300001230,12,0,0,141\n)"
                                         << "211300001230 12 0 141";
        QTest::newRow("membership") << R"(token$ack,lig,211300001230,13,3,0,0\n)"
                                    << "211300001230 13 3 0";
        QTest::newRow("full") << R"(token$ack,lig,211300001230,11,0,0,140\n)"
                              << "211300001230 11 0 140";
        QTest::newRow("six fields") << R"(token$ack,lig,211300001230,4,1,0\n)"
                                    << "";
        QTest::newRow("marker only") << "token$ack,lig"
                                     << "";
    }
    void deviceAcknowledgements()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto ack = GatewayReply::deviceAcknowledgement(text);
        QCOMPARE(ack ? QStringLiteral("%1 %2 %3 %4")
                           .arg(ack->deviceId)
                           .arg(ack->operation)
                           .arg(ack->parameter)
                           .arg(ack->code)
                     : QString(),
                 parsed);
    }

    void stateAnswers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // "id state level code"
        QTest::newRow("dimmer") << R"(token$res,lig,212200004560,0,1,55,0\n)"
                                << "212200004560 1 55 0";
        QTest::newRow("curtain") << R"(token$res,curtain,213100007890,0,E4,0,0\n)"
                                 << "213100007890 E4 0 0";
        QTest::newRow("short") << "token$res,lig,212200004560,0,1"
                               << "";
    }
    void stateAnswers()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto answer = GatewayReply::stateAnswer(text);
        QCOMPARE(answer ? QStringLiteral("%1 %2 %3 %4")
                              .arg(answer->deviceId, answer->state, answer->level)
                              .arg(answer->code)
                        : QString(),
                 parsed);
    }

    void namingAcknowledgements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // "number name code"
        QTest::newRow("accepted") << R"(token$ack,scename,1,3,Evening,0\n)"
                                  << "3 Evening 0";
        QTest::newRow("refused") << R"(token$ack,scename,1,3,Evening,1\n)"
                                 << "3 Evening 1";
        QTest::newRow("short") << "token$ack,scename,1,3,Evening"
                               << "";
    }
    void namingAcknowledgements()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto ack = GatewayReply::namingAcknowledgement(text);
        QCOMPARE(ack ? QStringLiteral("%1 %2 %3").arg(ack->number, ack->name).arg(ack->code)
                     : QString(),
                 parsed);
    }

    // The code is the last field, whether the run's operation field stays
    // before it or the code takes its place.
    void runAcknowledgements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // "number code"
        QTest::newRow("code after the operation") << R"(token$ack,scenario,3,1,0\n)"
                                                  << "3 0";
        QTest::newRow("code in its place") << R"(token$ack,scenario,3,0\n)"
                                           << "3 0";
        QTest::newRow("refused in its place") << R"(token$ack,scenario,3,135\n)"
                                              << "3 135";
        QTest::newRow("refused after it") << R"(token$ack,scenario,3,1,135\n)"
                                          << "3 135";
        QTest::newRow("short") << "token$ack,scenario,3"
                               << "";
    }
    void runAcknowledgements()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto ack = GatewayReply::runAcknowledgement(text);
        QCOMPARE(ack ? QStringLiteral("%1 %2").arg(ack->number).arg(ack->code) : QString(), parsed);
    }
};

ARDENTIA_TEST_MAIN(TestGatewayWire)
#include "tst_gatewaywire.moc"
