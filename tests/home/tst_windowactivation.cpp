// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "app/windowactivation.h"
#include "control/appdelegate.h"
#include "control/staterefresh.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "freshprogram.h"
#include "home/homeviewcontroller.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "udppeer.h"
#include "views/uiresources.h"
#include "widgettestmain.h"

#include <QFile>

// Activation follows the window being shown or minimised, not the focus.
namespace {
const QString kMaster = QStringLiteral("20AA10000001");
} // namespace

class TestWindowActivation : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    std::unique_ptr<UdpPeer> peer;
    std::unique_ptr<AppWindow> window;
    QList<bool> indicatorWhileLocating; // as each locate request arrived
    bool answering = true;

    int locates() const
    {
        return int(std::count_if(peer->received.cbegin(), peer->received.cend(),
                                 [](const QByteArray &r) { return r.contains("req,gw,"); }));
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        QVariantMap master = RecordFactory::transmitter(kMaster, "127.0.0.1", true);
        master.insert(Key::command, Value::yes);
        Database::instance()->insertSuperBoxWithInfo(master);
        indicatorWhileLocating.clear();
        answering = true;
        peer = std::make_unique<UdpPeer>([this](const QByteArray &) {
            indicatorWhileLocating << ShowAlertManager::instance()->checkActivityShowOn();
            return answering ? QByteArray("token$res,gw,20AA10000001,1,127.0.0.1,0\\n")
                             : QByteArray();
        });
        UDPSocketManager::instance()->setTransmitterPort(peer->port());
        window = std::make_unique<AppWindow>(program->services());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        peer.reset();
        program.reset();
    }

    void minimisedAndRestoredLocatesOnceFocusNever()
    {
        WindowActivation activation(window.get(), program->lifecycle());
        activation.start();
        QTRY_COMPARE(locates(), 1);
        QTRY_VERIFY(UDPSocketManager::instance()->isSettled());

        // Focus goes to another window and comes back: not a new activation.
        QWidget other;
        other.show();
        other.activateWindow();
        window->activateWindow();
        QTest::qWait(100);
        QVERIFY(activation.isActive());
        QCOMPARE(locates(), 1);

        window->showMinimized();
        QTRY_VERIFY(!activation.isActive());
        window->showNormal();
        QTRY_VERIFY(activation.isActive());
        QTRY_COMPARE(locates(), 2);
    }

    // Minimised, the app asks the home for no state; shown again, it does.
    void nothingIsAskedWhileMinimised()
    {
        WindowActivation activation(window.get(), program->lifecycle());
        activation.start();
        QTRY_VERIFY(UDPSocketManager::instance()->isSettled());
        const QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        window->showMinimized();
        QTRY_VERIFY(!activation.isActive());
        StateRefresh::instance()->channelsShown({hall});
        QVERIFY(UDPSocketManager::instance()->backgroundQueue().isEmpty());
        window->showNormal();
        QTRY_VERIFY(activation.isActive());
        StateRefresh::instance()->channelsShown({hall});
        QCOMPARE(UDPSocketManager::instance()->backgroundQueue().size(), 1);
    }

    void theLinkIsCheckedQuietlyWhileTheWindowShows()
    {
        WindowActivation activation(window.get(), program->lifecycle());
        activation.setKeepAliveInterval(150);
        activation.start();
        QTRY_COMPARE(locates(), 2);
        QCOMPARE(indicatorWhileLocating.value(1), false); // no "Connecting..." for the check
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);

        // The master stops answering: the next check shows the failure.
        answering = false;
        UDPSocketManager::instance()->setReplyWaitOverride(0.2);
        QTRY_COMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);
        QTRY_VERIFY(window->home()->hasConnectionBanner());
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestWindowActivation, initUiResources)
#include "tst_windowactivation.moc"
