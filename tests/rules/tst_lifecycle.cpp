// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/appdelegate.h"
#include "control/delegatemanager.h"
#include "control/startupview.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "freshprogram.h"
#include "recordingnavigator.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "testscreens.h"
#include "udppeer.h"

#include <QFile>

namespace {
class StartUp final : public StartUpView {
public:
    void showWelcomePages() override { shown << "welcome"; }
    void hideLogoAndRefresh() override { shown << "logo hidden"; }
    QStringList shown;
};
} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    AppDelegate *app = nullptr;
    Database *store = nullptr;
    HeadlessFeedbackPresenter presenter;

private Q_SLOTS:
    void init()
    {
        program.emplace();
        app = AppDelegate::instance();
        store = Database::instance();
        store->removeFiles();
        QFile::remove(DelegateManager::markerPath());
        QFile::remove(DelegateManager::welcomeMarkerPath());
        presenter.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
    }

    void cleanup() { program.reset(); }

    void firstStartBuildsAnEmptyHome()
    {
        // The launch makes the store's tables; the first screens and the
        // first activation read them before the check, without a complaint.
        QTest::failOnWarning(QRegularExpression("no such table"));
        program->lifecycle().applicationDidFinishLaunching();
        store->readAllSuperBoxInfo();
        StartUp view;
        DelegateManager::instance()->hideFirstLogoView(&view);
        QCOMPARE(view.shown, QStringList{"welcome"});
        QVERIFY(QFile::exists(DelegateManager::markerPath()));
        QVERIFY(store->readAllSuperBoxInfo().isEmpty());
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        const QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        QCOMPARE(scenarios.size(), 2);
        QCOMPARE(scenarios.constFirst().value(Key::mainID).toString(), QStringLiteral("-1"));
    }

    void laterStartsChangeNothing()
    {
        StartUp view;
        DelegateManager::instance()->hideFirstLogoView(&view);
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("20AA10000001", "10.0.0.2", true));
        DelegateManager::instance()->hideFirstLogoView(&view);
        QCOMPARE(view.shown, (QStringList{"welcome", "logo hidden"}));
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);

        // Without the marker the folder is set up again, but a home is kept
        // (a lost marker, or a home that ardentia-ctl built); the welcome
        // pages are not shown twice.
        QFile::remove(DelegateManager::markerPath());
        DelegateManager::instance()->hideFirstLogoView(&view);
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
        QVERIFY(QFile::exists(DelegateManager::markerPath()));
        QCOMPARE(view.shown, (QStringList{"welcome", "logo hidden", "logo hidden"}));
    }

    void aHomeBuiltBeforeTheFirstStartIsKept()
    {
        // ardentia-ctl enrolled a master and a light in the shared folder.
        DelegateManager::instance()->initApplicationNeedData();
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("20AA10000001", "10.0.0.2", true));
        store->insertMainDeviceWithInfo(
            RecordFactory::device("211300001230", "S", "211300001230", "Hall"));
        QFile::remove(DelegateManager::markerPath()); // even without its marker
        StartUp view;
        DelegateManager::instance()->hideFirstLogoView(&view);
        QCOMPARE(view.shown, QStringList{"welcome"}); // the app's own first start
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
        QCOMPARE(store->readAllMainDeviceInfo().size(), 1);
    }

    void activationWithoutTransmitterOpensTheScanner()
    {
        RecordingNavigator navigator;
        UdpPeer peer;
        UDPSocketManager::instance()->setTransmitterPort(peer.port());
        DelegateManager::instance()->initApplicationNeedData();
        app->setIfConnected(AppDelegate::kConnected);
        program->lifecycle().applicationDidBecomeActive();
        QCOMPARE(navigator.opened, QStringList{"scanner"});
        QCOMPARE(app->ifConnected(), AppDelegate::kConnectionUnknown);
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn()); // nothing sent
    }

    void activationLocatesTheFirstTransmitterAndLocalisesTitles()
    {
        RecordingNavigator navigator;
        UdpPeer peer;
        UDPSocketManager::instance()->setTransmitterPort(peer.port());
        DelegateManager::instance()->initApplicationNeedData();
        QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.1", true);
        master.insert(Key::title, "主无线转发器");
        QVariantMap slave = RecordFactory::transmitter("20AA10000002", "127.0.0.9", false);
        slave.insert(Key::title, "从无线转发器");
        QVariantMap named = RecordFactory::transmitter("20AA10000003", "127.0.0.8", false);
        named.insert(Key::title, "Garage");
        for (const QVariantMap &t : {master, slave, named})
            store->insertSuperBoxWithInfo(t);

        program->lifecycle().applicationDidBecomeActive();
        QTRY_COMPARE(peer.received.size(), 1);
        QCOMPARE(peer.received.constFirst(), QByteArray(R"(token$req,gw,20AA10000001,1,0,0\n)"));
        QStringList titles;
        for (const QVariantMap &t : store->readAllSuperBoxInfo())
            titles << t.value(Key::title).toString();
        QCOMPARE(titles, (QStringList{"Master Transmitter", "Slave Transmitter", "Garage"}));
        QVERIFY(navigator.opened.isEmpty());
    }

    void resignationClearsTheFeedback()
    {
        TestScreenStack stack;
        TestFrameScreen screen;
        stack.push(&screen);
        DelegateManager::instance()->initApplicationNeedData();
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.1", true));
        app->setConnectionType(AppDelegate::kStreamImport);
        ShowAlertManager::instance()->startActivity(12);
        ShowAlertManager::instance()->transmitterConnectionFailed();
        ShowAlertManager::instance()->showLabelWithTitle("Hello");
        UDPSocketManager::instance()->rediscovery().getGatewayIPAgain(
            QStringLiteral("20AA10000001"));
        app->setIfConnected(AppDelegate::kConnectionFailed);

        program->lifecycle().applicationWillResignActive();
        QCOMPARE(app->ifConnected(), AppDelegate::kConnectionUnknown);
        QCOMPARE(app->connectionType(), AppDelegate::kDatagramExchange);
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
        QVERIFY(!ShowAlertManager::instance()->isToastShowing());
        QVERIFY(!screen.hasConnectionBanner());
        QVERIFY(!UDPSocketManager::instance()->rediscovery().isArmed());
    }
};

ARDENTIA_TEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
