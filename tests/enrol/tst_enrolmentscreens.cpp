// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "app/windowactivation.h"
#include "control/appdelegate.h"
#include "control/checkmanager.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "enrol/codeimage.h"
#include "enrol/deviceaddviewcontroller.h"
#include "enrol/homedetailviewcontroller.h"
#include "enrol/superboxaddviewcontroller.h"
#include "enrol/vtscanviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "home/homeviewcontroller.h"
#include "loopbacksimulator.h"
#include "simulatedwindow.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"
#include "transport/asyncsocket.h"
#include "views/uiresources.h"
#include "views/vtactionsheet.h"
#include "views/widgetfeedbackpresenter.h"
#include "widgettestmain.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {
QStringList tagsOf(const ScannedViewController *screen)
{
    QStringList tags;
    for (QPushButton *button : screen->footerButtons())
        tags << button->text() + "=" + button->property("tag").toString();
    return tags;
}
} // namespace

class TestEnrolmentScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatedWindow> app;

    NavigationStack *stack() const { return app->stack(); }
    template <typename Screen> Screen *top() const { return app->topAs<Screen>(); }

    VtScanViewController *openScanner()
    {
        CheckManager(app->program().services()).setUpScanControllerWithType(std::nullopt);
        return top<VtScanViewController>();
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<SimulatedWindow>();
        SimulatedWindow::quickenChannel();
        QVERIFY(app->openWindow());
    }

    void cleanup()
    {
        app.reset();
        QTRY_COMPARE(AsyncSocket::liveSocketCount(), 0);
    }

    void modeAndHaveATry()
    {
        VtScanViewController *scanner = openScanner();
        QVERIFY(scanner);
        QCOMPARE(scanner->scanType(), QStringLiteral("SuperBox"));
        QCOMPARE(scanner->promptText(), QStringLiteral("Please scan the transmitter first"));
        QVERIFY(scanner->tryButton()->isVisible());
        QVERIFY(!scanner->navBar()->leftButton()->isVisible());
        QVERIFY(scanner->isScanning());
        QVERIFY(!scanner->hasCapture()); // no camera here: texts, sheet and entry still work

        QTest::mouseClick(scanner->tryButton(), Qt::LeftButton);
        QCOMPARE(stack()->top(), static_cast<QWidget *>(app->window()->home()));
        QVERIFY(!AppDelegate::instance()->ifHaveATry()); // offered once per start

        scanner = openScanner();
        QVERIFY(!scanner->tryButton()->isVisible());
        QVERIFY(scanner->navBar()->leftButton()->isVisible());

        Database::instance()->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.2", true));
        stack()->popScreen(false);
        scanner = openScanner();
        QCOMPARE(scanner->promptText(), QStringLiteral("Please scan the Device"));
    }

    void scanningWaitsForTheStartUpOverlay()
    {
        app->window()->showFirstInitView();
        VtScanViewController *scanner = openScanner();
        QVERIFY(!scanner->isScanning()); // the logo is still on the window
        scanner->captureOutput("20AA10000001");
        QCOMPARE(top<VtScanViewController>(), scanner); // nothing decoded
        QTRY_VERIFY_WITH_TIMEOUT(!app->window()->overlay(), 4000);
        // A first start: the welcome pages show until the user starts.
        QVERIFY(app->window()->welcomeView());
        QVERIFY(!scanner->isScanning());
        app->window()->welcomeView()->startButton()->click();
        QTRY_VERIFY(scanner->isScanning());
    }

    void manualIdEntry()
    {
        VtScanViewController *scanner = openScanner();
        scanner->navRightButtonItemPressed();
        QVERIFY(!scanner->isScanning()); // paused while the sheet shows
        auto *sheet = app->window()->findChild<VtActionSheet *>();
        QVERIFY(sheet);
        QCOMPARE(sheet->findChildren<QPushButton *>().constFirst()->text(),
                 QStringLiteral("OpenFlashlight"));
        QTest::mouseClick(sheet->findChildren<QPushButton *>().at(1), Qt::LeftButton);

        auto *entry = top<HomeDetailViewController>();
        QVERIFY(entry);
        QCOMPARE(entry->popType(), int(ParentPresentViewController::Modal));
        entry->returnPressed();
        QCOMPARE(app->lastToast(), QStringLiteral("Please input ID"));
        QCOMPARE(top<HomeDetailViewController>(), entry);

        QTest::keyClicks(entry->field(), "20aa10000001");
        QTest::keyClick(entry->field(), Qt::Key_Return);
        auto *enrolment = top<SuperBoxAddViewController>();
        QVERIFY(enrolment);
        QCOMPARE(enrolment->transmitterId(), QStringLiteral("20AA10000001"));
        QCOMPARE(enrolment->roleLine(), QStringLiteral("Master Transmitter"));
    }

    void framesOpenTheRightEnrolment_data()
    {
        QTest::addColumn<QImage>("frame");
        QTest::addColumn<QString>("opened");
        QTest::newRow("QR code of a transmitter")
            << CodeImage::qrCode("20AA10000001") << "transmitter 20AA10000001";
        QTest::newRow("EAN-13 of a light controller")
            << CodeImage::ean13("211300001230") << "device 211300012305 3";
        QTest::newRow("Code 128 of a curtain controller")
            << CodeImage::code128("213100007890") << "device 213100007890 1";
    }
    void framesOpenTheRightEnrolment()
    {
        QFETCH(QImage, frame);
        QFETCH(QString, opened);
        QVERIFY(!frame.isNull());
        Database::instance()->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000009", "127.0.0.2", true));
        VtScanViewController *scanner = openScanner();
        scanner->captureFrame(frame);
        QVERIFY(!scanner->isScanning()); // accepted: scanning stops
        if (auto *transmitter = top<SuperBoxAddViewController>()) {
            QCOMPARE("transmitter " + transmitter->transmitterId(), opened);
        } else {
            auto *device = top<DeviceAddViewController>();
            QVERIFY(device);
            const QString id = device->needArray().constFirst().value(Key::id).toString();
            QCOMPARE(QStringLiteral("device %1 %2").arg(id).arg(device->needArray().size()),
                     opened);
        }
    }

    void newHomeFromTheApp()
    {
        SimulatedHome fresh;
        fresh.addTransmitter({"20AA10000001", "127.0.0.2", SimulatedHome::Role::Unset, true});
        fresh.addTransmitter({"20AA10000002", "127.0.0.3", SimulatedHome::Role::Unset, true});
        QVERIFY(app->startSimulator(fresh));

        app->window()->pushTransmitterEnrolment("20AA10000001",
                                                "Model:ZEVO-20AA\nWireless Transmitter");
        auto *master = top<SuperBoxAddViewController>();
        QCOMPARE(tagsOf(master), QStringList{"Connect=-1"});
        QTest::mouseClick(master->footerButtons().constFirst(), Qt::LeftButton);
        QTRY_COMPARE(tagsOf(master), (QStringList{"Add More=1", "Done=2"}));
        QTRY_COMPARE(app->lastToast(), QStringLiteral("Synchronous data successful"));
        QCOMPARE(master->statusBanner()->findChild<QLabel *>()->text(),
                 QStringLiteral("Connection successful"));

        QTest::mouseClick(master->footerButtons().at(1), Qt::LeftButton); // Done
        app->window()->pushTransmitterEnrolment("20AA10000002", "x");
        auto *slave = top<SuperBoxAddViewController>();
        QCOMPARE(slave->roleLine(), QStringLiteral("Slave Transmitter"));
        slave->footerButtonPressed(-1);
        QTRY_COMPARE(tagsOf(slave), (QStringList{"Add More=1", "Done=2"}));
        QTRY_COMPARE(Database::instance()->readAllSuperBoxInfo().size(), 2);
        QTRY_COMPARE(AsyncSocket::liveSocketCount(), 0);

        app->window()->pushDeviceEnrolment("2123D0004560", 3, "D", "summary");
        auto *dimmer = top<DeviceAddViewController>();
        QCOMPARE(dimmer->nameField(1)->placeholderText(), QStringLiteral("Please input name"));
        QTest::keyClicks(dimmer->nameField(1), "Living room");
        QTest::keyClicks(dimmer->nameField(3), "Reading lamp");
        dimmer->footerButtonPressed(-1);
        QTRY_COMPARE(tagsOf(dimmer), (QStringList{"Add More=1", "Done=2"}));
        QStringList order;
        for (const QString &request : app->receivedFor("2123D000456"))
            order << request.section(',', 2, 4);
        QCOMPARE(order, (QStringList{"2123D0004560,11,0", "2123D0004560,15,Living room",
                                     "2123D0004561,11,0", "2123D0004561,15,Light-D0004561",
                                     "2123D0004562,11,0", "2123D0004562,15,Reading lamp"}));
        QVERIFY(dimmer->nameField(2)->isReadOnly());
        QCOMPARE(dimmer->nameField(2)->text(), QStringLiteral("Light-D0004561"));
        QCOMPARE(Database::instance()->readAllMainDeviceInfo().size(), 3);
    }

    void refusedChannelOffersRetry()
    {
        QVERIFY(app->startSimulator(SimulatedHome::demo()));
        app->simulator()->faults().add(*FaultRule::parse("lig:11:2112D0007771=code:1", nullptr));
        storeDemoMaster();
        app->window()->pushDeviceEnrolment("2112D0007770", 2, "S", "summary");
        auto *device = top<DeviceAddViewController>();
        // A touch on the background ends the typing of a name.
        QApplication::setActiveWindow(app->window());
        QTest::mouseClick(device->nameField(1), Qt::LeftButton);
        QTRY_VERIFY(device->nameField(1)->hasFocus());
        QTest::mouseClick(device, Qt::LeftButton, {}, device->reminder()->geometry().bottomLeft());
        QVERIFY(!device->nameField(1)->hasFocus());
        device->footerButtonPressed(-1);
        QTRY_COMPARE(tagsOf(device), QStringList{"Retry=-1"});
        QCOMPARE(device->statusBanner()->findChild<QLabel *>()->text(),
                 QStringLiteral("Added 1 Device"));
        QCOMPARE(device->reminder()->property("colourType").toInt(), 2); // the failure's colours
        QVERIFY(!device->nameField(1)->isReadOnly());

        // The controller answers now: Retry enrols both channels again.
        app->simulator()->faults().clear();
        QTest::mouseClick(device->footerButtons().constFirst(), Qt::LeftButton);
        QTRY_COMPARE(tagsOf(device), (QStringList{"Add More=1", "Done=2"}));
        QCOMPARE(device->reminder()->property("colourType").toInt(), 1);
        QCOMPARE(Database::instance()->readAllMainDeviceInfo().size(), 2);
        QTest::mouseClick(device->footerButtons().constFirst(), Qt::LeftButton); // Add More
        QCOMPARE(stack()->top(), static_cast<QWidget *>(app->window()->home()));
    }

    // The app checks the link to the master now and then. An enrolment
    // screen waiting for its person hears nothing of those checks, answered
    // or not: only the commands it sent end it.
    void linkChecksLeaveTheEnrolmentScreensAlone_data()
    {
        QTest::addColumn<bool>("masterAnswers");
        QTest::addColumn<bool>("deviceScreen");
        QTest::newRow("slave enrolment, master answering") << true << false;
        QTest::newRow("slave enrolment, master silent") << false << false;
        QTest::newRow("device enrolment, master answering") << true << true;
        QTest::newRow("device enrolment, master silent") << false << true;
    }
    void linkChecksLeaveTheEnrolmentScreensAlone()
    {
        QFETCH(bool, masterAnswers);
        QFETCH(bool, deviceScreen);
        QVERIFY(app->startSimulator(SimulatedHome::demo()));
        if (!masterAnswers)
            app->simulator()->faults().add(*FaultRule::parse("gw:1:*=drop", nullptr));
        storeDemoMaster();
        UDPSocketManager::instance()->setReplyWaitOverride(0.05);
        if (deviceScreen)
            app->window()->pushDeviceEnrolment("2112D0007770", 2, "S", "summary");
        else
            app->window()->pushTransmitterEnrolment("20AA10000002", "x");
        auto *screen = top<ScannedViewController>();
        QVERIFY(screen);
        const QStringList before = tagsOf(screen);

        QSignalSpy checks(UDPSocketManager::instance(), &UDPSocketManager::commandSettled);
        WindowActivation activation(app->window(), app->program().lifecycle());
        activation.setKeepAliveInterval(20); // a minute's checks and more, quickly
        activation.start();
        QTRY_VERIFY(checks.size() >= 8);
        QCOMPARE(tagsOf(screen), before);
        QCOMPARE(top<ScannedViewController>(), screen);
        QCOMPARE(Database::instance()->readAllSuperBoxInfo().size(), 1);
        UDPSocketManager::instance()->setReplyWaitOverride(std::nullopt);
    }

    // The options sheet pauses the scanner until it is closed, whatever
    // reloads the screen meanwhile (here a command's wait running out).
    void theOptionsSheetKeepsTheScannerPaused()
    {
        storeDemoMaster();
        VtScanViewController *scanner = openScanner();
        QVERIFY(scanner->isScanning());
        QTest::mouseClick(scanner->navBar()->rightButton(), Qt::LeftButton);
        auto *sheet = app->window()->findChild<VtActionSheet *>();
        QVERIFY(sheet);
        QVERIFY(!scanner->isScanning());
        ShowAlertManager::instance()->activityOnTimeOut();
        QVERIFY(!scanner->isScanning());
        QTest::mouseClick(sheet->findChild<QPushButton *>("cancel"), Qt::LeftButton);
        QVERIFY(scanner->isScanning());
    }

    // The master answered once in this run, then went silent: enrolling it
    // again must still end on the screen with the failure and Retry, not
    // only stop the indicator as a stale-address rediscovery does.
    void reEnrollingASilentMasterOffersRetry()
    {
        QVERIFY(app->startSimulator(SimulatedHome::demo()));
        storeDemoMaster();
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setReplyWaitOverride(0.2);
        QSignalSpy settled(channel, &UDPSocketManager::commandSettled);
        channel->getGatewayIPWithID("20AA10000001", QStringLiteral("127.0.0.2"));
        QTRY_COMPARE(settled.size(), 1);
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);

        app->simulator()->faults().add(*FaultRule::parse("gw:*:*=drop", nullptr));
        app->window()->pushTransmitterEnrolment("20AA10000001", "x");
        auto *enrolment = top<SuperBoxAddViewController>();
        enrolment->footerButtonPressed(-1);
        QTRY_COMPARE(tagsOf(enrolment), QStringList{"Retry=-1"});
        QCOMPARE(enrolment->statusBanner()->findChild<QLabel *>()->text(),
                 QStringLiteral("Network connection failed"));
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
        channel->setReplyWaitOverride(std::nullopt);
    }

    // An enrolment queued behind a command that goes unanswered is dropped
    // with the queue: its screen is told so, as when its own command goes
    // unanswered, and offers Retry.
    void anEnrolmentDroppedBehindASilenceOffersRetry_data()
    {
        QTest::addColumn<bool>("deviceScreen");
        QTest::addColumn<QString>("told");
        QTest::newRow("slave enrolment") << false << "Network connection failed";
        QTest::newRow("device enrolment") << true << "Added 0 Device";
    }
    void anEnrolmentDroppedBehindASilenceOffersRetry()
    {
        QFETCH(bool, deviceScreen);
        QFETCH(QString, told);
        QVERIFY(app->startSimulator(SimulatedHome::demo()));
        app->simulator()->faults().add(*FaultRule::parse("lig:4:211300001230=drop", nullptr));
        storeDemoMaster();
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setReplyWaitOverride(0.2);
        channel->sendMessageWithCommandArray({"cfg", "lig", "211300001230", "4", "1", "0", "0"});
        if (deviceScreen)
            app->window()->pushDeviceEnrolment("2112D0007770", 2, "S", "summary");
        else
            app->window()->pushTransmitterEnrolment("20AA10000002", "x");
        auto *screen = top<ScannedViewController>();
        screen->footerButtonPressed(-1);
        QCOMPARE(channel->udpQueueArray().size(), 1); // behind the unanswered command

        QTRY_COMPARE(tagsOf(screen), QStringList{"Retry=-1"});
        QCOMPARE(screen->statusBanner()->findChild<QLabel *>()->text(), told);
        QVERIFY(channel->udpQueueArray().isEmpty());
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
        channel->setReplyWaitOverride(std::nullopt);
    }

    void transmitterTimeOutOffersRetry()
    {
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setSendingOffline(true); // its locate goes nowhere and waits
        channel->setReplyWaitOverride(0.05);
        app->window()->pushTransmitterEnrolment("20AA10000001", "x");
        auto *enrolment = top<SuperBoxAddViewController>();
        enrolment->footerButtonPressed(-1);
        QTRY_COMPARE(tagsOf(enrolment), QStringList{"Retry=-1"});
        QCOMPARE(enrolment->statusBanner()->findChild<QLabel *>()->text(),
                 QStringLiteral("Network connection failed"));
        channel->setReplyWaitOverride(std::nullopt);
        channel->setSendingOffline(false);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestEnrolmentScreens, initUiResources)
#include "tst_enrolmentscreens.moc"
