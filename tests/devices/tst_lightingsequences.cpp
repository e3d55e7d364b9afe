// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "appwindowtesting.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "devices/lightingviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "home/homefunctiontile.h"
#include "home/homeviewcontroller.h"
#include "loopbacksimulator.h"
#include "simulatedwindow.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "transmitterserver.h"
#include "views/uiresources.h"
#include "views/vtmovecell.h"
#include "widgettestmain.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

// Presses in quick succession on the lighting screen, reached from the home
// screen, against the simulator with its replies held back.
namespace {
const QStringList kLights{"211300001230", "211300001231", "211300001232"};

QString storedTurnOn(const QString &id)
{
    return JsonCodec::recordFromJSONString(Database::instance()->selectMainDeviceWithMainID(id))
        .value_or(QVariantMap())
        .value(Key::turnOn)
        .toString();
}
} // namespace

class TestLightingSequences : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatedWindow> app;
    QStringList toasts;

    LightingViewController *openLightingFromHome()
    {
        QTest::mouseClick(app->window()->home()->tile(0), Qt::LeftButton, {}, QPoint(150, 40));
        return qobject_cast<LightingViewController *>(app->window()->navigationController()->top());
    }

    static int rowOf(LightingViewController *lighting, const QString &id)
    {
        for (int row = 0; row < lighting->customArray().size(); ++row)
            if (lighting->customArray().at(row).value(Key::id) == id)
                return row;
        return -1;
    }

    void press(LightingViewController *lighting, int row, const char *button)
    {
        QTest::mouseClick(lighting->cellAt(row)->findChild<QPushButton *>(button), Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<SimulatedWindow>();
        QVERIFY(app->startSimulator());
        SimulatedWindow::quickenChannel();
        storeDemoMaster();
        const QStringList names{"Hall", "Stairs", "Porch"};
        for (int i = 0; i < kLights.size(); ++i) {
            QVariantMap light = RecordFactory::device(kLights[i], "S", kLights[0], names[i]);
            light.insert(Key::turnOn, Value::yes);
            Database::instance()->insertMainDeviceWithInfo(light);
        }
        toasts.clear();
        connect(ShowAlertManager::instance(), &ShowAlertManager::toastShown, this,
                [this](const QString &title) { toasts << title; });
        QVERIFY(app->openWindow());
    }

    void cleanup()
    {
        disconnect(ShowAlertManager::instance(), nullptr, this, nullptr);
        app.reset();
    }

    void switchesPressedBeforeTheFirstReplyAreAllStored()
    {
        app->simulator()->faults().add(*FaultRule::parse("lig:4:*=delay:300", nullptr));
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        for (int row = 0; row < kLights.size(); ++row)
            press(lighting, row, "off");
        QTRY_VERIFY_WITH_TIMEOUT(AppWindowTesting::channelSettled(), 5000);
        for (const QString &id : kLights) {
            QCOMPARE(storedTurnOn(id), QStringLiteral("NO"));
            QVERIFY(!app->simulator()->home().channel(id)->state.on);
        }
        QVERIFY2(!toasts.contains("Control failed"), qPrintable(toasts.join(", ")));
    }

    void aReplyAfterTheScreenWasLeftIsStillStored()
    {
        app->simulator()->faults().add(*FaultRule::parse("lig:4:*=delay:300", nullptr));
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        press(lighting, 2, "off");
        QTest::mouseClick(lighting->navBar()->leftButton(), Qt::LeftButton);
        QTRY_COMPARE(app->window()->navigationController()->top(),
                     static_cast<ParentPresentViewController *>(app->window()->home()));
        QTRY_COMPARE(storedTurnOn(kLights[2]), QStringLiteral("NO"));
        QVERIFY(toasts.isEmpty());
    }

    void aLostReplyShowsTheFailureAndTheStoredState()
    {
        app->simulator()->faults().add(*FaultRule::parse("lig:4:211300001231=drop", nullptr));
        UDPSocketManager::instance()->setReplyWaitOverride(0.3);
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        press(lighting, 0, "off"); // answered: the master is known to answer
        QTRY_VERIFY(AppWindowTesting::channelSettled());
        const QString confirmed = storedTurnOn(kLights[1]); // as the home reported it
        press(lighting, 1, confirmed == QStringLiteral("YES") ? "off" : "on");
        QCOMPARE(lighting->customArray().at(1).value(Key::turnOn).toString(),
                 confirmed); // the press alone changes nothing
        QTRY_VERIFY(AppWindowTesting::channelSettled());
        QCOMPARE(lighting->customArray().at(1).value(Key::turnOn).toString(), confirmed);
        QCOMPARE(storedTurnOn(kLights[1]), confirmed);
        QVERIFY(lighting->hasConnectionBanner());
    }

    // Opening the list asks the home for the states of its 13 lights. A
    // press given meanwhile goes out after at most the one query under way,
    // is acknowledged and stored; the refresh itself shows and says nothing.
    void aPressDuringARefreshWaitsForOneQueryAtMost()
    {
        for (int k = 0; k < 10; ++k) {
            const QString id = QStringLiteral("21130000%1").arg(4000 + k * 10);
            app->simulator()->home().addChannel({id, id, QStringLiteral("20AA10000001"), {}, true});
            Database::instance()->insertMainDeviceWithInfo(
                RecordFactory::device(id, "S", id, QStringLiteral("Light %1").arg(k)));
        }
        // Each query answered late enough that the refresh outlasts the press.
        app->simulator()->faults().add(*FaultRule::parse("lig:0:*=delay:100", nullptr));
        QStringList arrivals; // "ID,operation" as the simulator received them
        connect(app->simulator(), &TransmitterServer::datagramAnswered, this,
                [&arrivals](const QByteArray &request) {
                    arrivals << QString::fromUtf8(request).section(',', 2, 3);
                });
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        QTRY_VERIFY(arrivals.size() >= 2);
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
        const qsizetype queriesBefore = arrivals.size();
        press(lighting, rowOf(lighting, kLights[0]), "off");
        QTRY_VERIFY_WITH_TIMEOUT(AppWindowTesting::channelSettled(), 15000);

        const qsizetype pressAt = arrivals.indexOf(kLights[0] + ",4");
        QVERIFY2(pressAt >= 0 && pressAt <= queriesBefore + 1, qPrintable(arrivals.join(' ')));
        QCOMPARE(arrivals.count(), 14); // every light asked once, and the press
        QCOMPARE(storedTurnOn(kLights[0]), QStringLiteral("NO"));
        QVERIFY2(toasts.isEmpty(), qPrintable(toasts.join(", ")));
    }

    // A master that answers no state query: every row shows its state as
    // unknown, the link line says the master is not answering, and the next
    // press still goes out and shows what the home confirmed.
    void unansweredQueriesShowTheStateUnknown()
    {
        app->simulator()->faults().add(*FaultRule::parse("lig:0:*=drop", nullptr));
        UDPSocketManager::instance()->setReplyWaitOverride(0.5); // each query given up sooner
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        QTRY_VERIFY_WITH_TIMEOUT(AppWindowTesting::channelSettled(), 10000);
        for (const QString &id : kLights) {
            VtMoveCell *row = lighting->cellAt(rowOf(lighting, id));
            QVERIFY(!row->findChild<QPushButton *>("on")->isChecked());
            QVERIFY(!row->findChild<QPushButton *>("off")->isChecked());
            QCOMPARE(row->accessibleDescription(), QStringLiteral("Unknown"));
            QCOMPARE(row->findChild<QLabel *>("unknown")->text(), QStringLiteral("Unknown"));
        }
        const auto link = UDPSocketManager::instance()->links().linkOf("20AA10000001");
        QVERIFY(link && !link->answering);
        QVERIFY(toasts.isEmpty()); // the app's own queries never say so

        press(lighting, rowOf(lighting, kLights[1]), "off");
        QTRY_VERIFY(AppWindowTesting::channelSettled());
        QVERIFY(lighting->cellAt(rowOf(lighting, kLights[1]))
                    ->findChild<QPushButton *>("off")
                    ->isChecked());
        QVERIFY(lighting->cellAt(rowOf(lighting, kLights[1]))
                    ->findChild<QLabel *>("unknown")
                    ->text()
                    .isEmpty());
        QCOMPARE(storedTurnOn(kLights[1]), QStringLiteral("NO"));
    }

    // A synchronise stores every channel afresh with its default state; the
    // list still shows what the home confirmed, before any state query of
    // the import has been answered.
    void theListShowsConfirmedStatesAcrossASync()
    {
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        press(lighting, rowOf(lighting, kLights[0]), "on");
        QTRY_VERIFY(AppWindowTesting::channelSettled());
        app->simulator()->faults().add(*FaultRule::parse("lig:0:*=delay:3000", nullptr));
        QSignalSpy imported(TCPSocketManager::instance(), &TCPSocketManager::importFinished);
        TCPSocketManager::instance()->sendTCPMessageWithCommandArray(
            TCPSocketManager::importRequest());
        QVERIFY(imported.wait(5000));
        QCOMPARE(imported.constFirst().constFirst().toBool(), true);
        QCOMPARE(storedTurnOn(kLights[0]), QStringLiteral("NO")); // the import's default

        QTest::mouseClick(lighting->navBar()->leftButton(), Qt::LeftButton);
        QTRY_COMPARE(app->window()->navigationController()->top(),
                     static_cast<ParentPresentViewController *>(app->window()->home()));
        const QList<QVariantMap> homeLights = app->window()->home()->lightingArray();
        const auto hall =
            std::find_if(homeLights.cbegin(), homeLights.cend(),
                         [](const QVariantMap &l) { return l.value(Key::id) == kLights[0]; });
        QVERIFY(hall != homeLights.cend());
        QCOMPARE(hall->value(Key::turnOn).toString(), QStringLiteral("YES"));
        lighting = openLightingFromHome();
        QVERIFY(lighting);
        QVERIFY(lighting->cellAt(rowOf(lighting, kLights[0]))
                    ->findChild<QPushButton *>("on")
                    ->isChecked());
    }

    // Every press the home acknowledged counts once towards the most-used
    // order, however many came since the screen read the store.
    void everyAcknowledgedPressCounts()
    {
        LightingViewController *lighting = openLightingFromHome();
        QVERIFY(lighting);
        for (const char *button : {"off", "on", "off", "on"}) {
            press(lighting, rowOf(lighting, kLights[0]), button);
            QTRY_VERIFY(AppWindowTesting::channelSettled());
        }
        const auto hall = Database::instance()->deviceRecordWithMainID(kLights[0]);
        QCOMPARE(hall->value(Key::controlTimes).toString(), QStringLiteral("4"));
        QCOMPARE(hall->value(Key::turnOn).toString(), QStringLiteral("YES"));
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestLightingSequences, initUiResources)
#include "tst_lightingsequences.moc"
