// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/controllercommands.h"
#include "datarow.h"
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
            dataRow(name, command, QStringLiteral("token$") + fields + "\\n");
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

    void codeFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("code");
        dataRow("zero", R"(0\n)", int(ResultCode::Accepted));
        dataRow("already master", R"(142\n)", int(ResultCode::AlreadyMaster));
        dataRow("no suffix loses its last digits", "142", 1);
        dataRow("garbage", R"(ok\n)", 0);
        dataRow("empty", "", 0);
        dataRow("one character", "5", 0);
        dataRow("negative", R"(-3\n)", -3);
        dataRow("huge is clamped", R"(99999999999999\n)", std::numeric_limits<int>::max());
    }
    void codeFields()
    {
        QFETCH(QString, field);
        QFETCH(int, code);
        QCOMPARE(GatewayReply::codeOfField(field), code);
    }

    // Each reply form as it is read ("" where the text is not of that form).
    // Runs: the code is the last field, whether the run's operation field
    // stays before it or the code takes its place.
    void repliesAreRead_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed");
        // locate: "id@address"
        dataRow("locate answer", "locate", R"(token$res,gw,20AA10000001,1,192.168.1.23,0\n)",
                "20AA10000001@192.168.1.23");
        dataRow("locate too short", "locate", "token$res,gw,20AA10000001,1", "");
        dataRow("not a locate", "locate", R"(token$res,gw,20AA10000001,2,192.168.1.23\n)", "");
        dataRow("locate address of three parts", "locate", R"(token$res,gw,A,1,10.0.5,0\n)", "");
        dataRow("locate empty", "locate", "", "");
        // role: "id role code"
        dataRow("accepted as master", "role", R"(token$ack,gw,A1,4,A1,A1,m,0\n)", "A1 m 0");
        dataRow("already slave", "role", R"(token$ack,gw,A1,4,A2,A1,s,143\n)", "A2 s 143");
        dataRow("role of seven fields", "role", R"(token$ack,gw,A1,4,A2,A1,s\n)", "");
        dataRow("not a role command", "role", R"(token$ack,gw,A1,5,A2,A1,s,0\n)", "");
        // device: "id op parameter code"
        dataRow("control", "device", R"(token$ack,lig,211300001230,4,1,0,0\n)",
                "211300001230 4 1 0");
        dataRow("curtain refused", "device", R"(token$ack,curtain,213100007890,4,2,0,3\n)",
                "213100007890 4 2 3");
        dataRow("removal unknown", "device", R"(token$ack,lig,211300001230,12,0,0,141\n)",
                "211300001230 12 0 141");
        dataRow("membership", "device", R"(token$ack,lig,211300001230,13,3,0,0\n)",
                "211300001230 13 3 0");
        dataRow("full", "device", R"(token$ack,lig,211300001230,11,0,0,140\n)",
                "211300001230 11 0 140");
        dataRow("device of six fields", "device", R"(token$ack,lig,211300001230,4,1,0\n)", "");
        dataRow("device marker only", "device", "token$ack,lig", "");
        // state: "id state level code"
        dataRow("dimmer state", "state", R"(token$res,lig,212200004560,0,1,55,0\n)",
                "212200004560 1 55 0");
        dataRow("curtain state", "state", R"(token$res,curtain,213100007890,0,E4,0,0\n)",
                "213100007890 E4 0 0");
        dataRow("state short", "state", "token$res,lig,212200004560,0,1", "");
        // naming: "number name code"
        dataRow("name accepted", "naming", R"(token$ack,scename,1,3,Evening,0\n)", "3 Evening 0");
        dataRow("name refused", "naming", R"(token$ack,scename,1,3,Evening,1\n)", "3 Evening 1");
        dataRow("naming short", "naming", "token$ack,scename,1,3,Evening", "");
        // run: "number code"
        dataRow("code after the operation", "run", R"(token$ack,scenario,3,1,0\n)", "3 0");
        dataRow("code in its place", "run", R"(token$ack,scenario,3,0\n)", "3 0");
        dataRow("refused in its place", "run", R"(token$ack,scenario,3,135\n)", "3 135");
        dataRow("refused after it", "run", R"(token$ack,scenario,3,1,135\n)", "3 135");
        dataRow("run short", "run", "token$ack,scenario,3", "");
    }
    void repliesAreRead()
    {
        QFETCH(QString, form);
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        QCOMPARE(readAs(form, text), parsed);
    }

private:
    static QString readAs(const QString &form, const QString &text)
    {
        if (form == "locate") {
            const auto answer = GatewayReply::locateAnswer(text);
            return answer ? answer->transmitterId + "@" + answer->address : QString();
        }
        if (form == "role") {
            const auto ack = GatewayReply::roleAcknowledgement(text);
            return ack ? QStringLiteral("%1 %2 %3")
                             .arg(ack->transmitterId, ack->asMaster ? "m" : "s")
                             .arg(ack->code)
                       : QString();
        }
        if (form == "device") {
            const auto ack = GatewayReply::deviceAcknowledgement(text);
            return ack ? QStringLiteral("%1 %2 %3 %4")
                             .arg(ack->deviceId)
                             .arg(ack->operation)
                             .arg(ack->parameter)
                             .arg(ack->code)
                       : QString();
        }
        if (form == "state") {
            const auto answer = GatewayReply::stateAnswer(text);
            return answer ? QStringLiteral("%1 %2 %3 %4")
                                .arg(answer->deviceId, answer->state, answer->level)
                                .arg(answer->code)
                          : QString();
        }
        if (form == "naming") {
            const auto ack = GatewayReply::namingAcknowledgement(text);
            return ack ? QStringLiteral("%1 %2 %3").arg(ack->number, ack->name).arg(ack->code)
                       : QString();
        }
        const auto ack = GatewayReply::runAcknowledgement(text);
        return ack ? QStringLiteral("%1 %2").arg(ack->number).arg(ack->code) : QString();
    }
};

ARDENTIA_TEST_MAIN(TestGatewayWire)
#include "tst_gatewaywire.moc"
