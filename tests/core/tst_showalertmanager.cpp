// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/appdelegate.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "fakehome.h"
#include "freshprogram.h"
#include "testmain.h"
#include "testscreens.h"

class TestShowAlertManager : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    ShowAlertManager *feedback = nullptr;
    AppDelegate *app = nullptr;
    HeadlessFeedbackPresenter presenter;
    FakeHome home;
    std::unique_ptr<TestScreenStack> stack;

private Q_SLOTS:
    void init()
    {
        program.emplace();
        feedback = ShowAlertManager::instance();
        app = AppDelegate::instance();
        presenter.clear();
        feedback->setPresenter(&presenter);
        home.clear();
        home.addTransmitter(QStringLiteral("A10000000001"), QStringLiteral("127.0.0.1"));
        UDPSocketManager::instance()->setHomeLookup(&home);
        stack = std::make_unique<TestScreenStack>();
    }

    void cleanup()
    {
        stack.reset(); // its screens were the test function's own
        program.reset();
    }

    void newToastReplacesTheOld()
    {
        feedback->showLabelWithTitle("First");
        QVERIFY(feedback->isToastShowing());
        QCOMPARE(feedback->showLabelTimer().interval(), 1500);
        feedback->showLabelWithTitle("Second", "Detail");
        QCOMPARE(presenter.visibleToast(), QStringLiteral("Second / Detail"));
        QCOMPARE(presenter.toasts(), (QStringList{"First", "Second / Detail"}));
        QVERIFY(feedback->showLabelTimer().isActive());
        QVERIFY(feedback->showLabelTimer().remainingTime() > 1400);
        feedback->finishedFading();
        QVERIFY(!feedback->isToastShowing());
        QVERIFY(!feedback->showLabelTimer().isActive());
        QVERIFY(presenter.visibleToast().isEmpty());
    }

    void toastGoesAwayByItself()
    {
        feedback->showLabelWithTitle("Gone soon");
        QTRY_VERIFY_WITH_TIMEOUT(!feedback->isToastShowing(), 2500);
    }

    void choosesTheIndicator_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<int>("connectionType");
        QTest::addColumn<bool>("bar");
        dataRow("datagram on a frame screen", "frame", 1, true);
        dataRow("import on a frame screen", "frame", 2, false);
        dataRow("datagram over a plain screen", "plain", 1, false);
        dataRow("datagram with no screen", "none", 1, false);
    }
    void choosesTheIndicator()
    {
        QFETCH(QString, top);
        QFETCH(int, connectionType);
        QFETCH(bool, bar);
        TestFrameScreen frame;
        TestPlainScreen plain;
        if (top == "frame")
            stack->push(&frame);
        else if (top == "plain")
            stack->push(&plain);
        app->setConnectionType(connectionType);

        feedback->startActivity(12);
        QCOMPARE(frame.hasBarActivity(), bar);
        QCOMPARE(frame.barTitle, bar ? QStringLiteral("Connecting...") : QStringLiteral("Home"));
        QCOMPARE(feedback->isWindowActivityShowing(), !bar);
        QCOMPARE(presenter.isWindowActivityShowing(), !bar);
        QVERIFY(feedback->checkActivityShowOn());
        QCOMPARE(feedback->showActivityTimer().interval(), 12000);

        feedback->stopActivity();
        QVERIFY(!feedback->checkActivityShowOn());
        QVERIFY(!frame.hasBarActivity());
        QCOMPARE(frame.barTitle, QStringLiteral("Home"));
        QVERIFY(!feedback->showActivityTimer().isActive());
        QCOMPARE(app->connectionType(), AppDelegate::kDatagramExchange);
    }

    void barIndicatorBelongsToTheScreenItStartedOn()
    {
        TestFrameScreen first, second;
        stack->push(&first);
        feedback->startActivity(10);
        stack->push(&second);
        // The gate looks at the top screen only.
        QVERIFY(!feedback->checkActivityShowOn());
        feedback->stopActivity();
        QVERIFY(first.hasBarActivity());
    }

    // How a wait that ran out shows: a step told shows nothing more.
    void timeOutIsShown_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<bool>("stepTold");
        QTest::addColumn<int>("connectionType");
        QTest::addColumn<bool>("transmitterStored");
        QTest::addColumn<QStringList>("toasts");
        QTest::addColumn<bool>("banner");
        dataRow("enrolment's step told", "frame", true, 1, true, QStringList{}, false);
        dataRow("import's step told", "frame", true, 2, true, QStringList{}, false);
        dataRow("import", "frame", false, 2, true,
                QStringList{"Control failed / Please check device and network"}, false);
        dataRow("datagram", "frame", false, 1, true, QStringList{}, true);
        dataRow("datagram, empty home", "frame", false, 1, false, QStringList{}, false);
        dataRow("plain screen", "plain", false, 1, true, QStringList{}, false);
    }
    void timeOutIsShown()
    {
        QFETCH(QString, top);
        QFETCH(bool, stepTold);
        QFETCH(int, connectionType);
        QFETCH(bool, transmitterStored);
        QFETCH(QStringList, toasts);
        QFETCH(bool, banner);
        TestFrameScreen frame;
        TestPlainScreen plain;
        stack->push(top == "frame" ? static_cast<Screen *>(&frame) : &plain);
        if (!transmitterStored)
            home.clear();
        app->setConnectionType(connectionType);
        feedback->startActivity(10);

        feedback->activityOnTimeOut(stepTold ? FlowFeedback::Waiter::Step
                                             : FlowFeedback::Waiter::Person);

        QCOMPARE(presenter.toasts(), toasts);
        QCOMPARE(frame.hasConnectionBanner(), banner);
        if (banner)
            QCOMPARE(frame.bannerText, QStringLiteral("Network connection failed"));
        QVERIFY(!feedback->checkActivityShowOn());
        QCOMPARE(app->connectionType(), AppDelegate::kDatagramExchange);
        // Presenting drives nothing: the channel keeps its own link state,
        // queue and rediscovery.
        QCOMPARE(app->ifConnected(), AppDelegate::kConnectionUnknown);
        QVERIFY(!UDPSocketManager::instance()->rediscovery().isArmed());
    }

    void failureBannerIsShownOnce()
    {
        TestFrameScreen frame;
        stack->push(&frame);
        feedback->transmitterConnectionFailed();
        feedback->transmitterConnectionFailed();
        QCOMPARE(frame.bannersAdded, 1);
        QCOMPARE(frame.bannerIcon, NavigationFrameScreen::BannerIcon::Cross);
    }

    void successTurnsTheBannerIntoATickThenRemovesIt()
    {
        TestFrameScreen frame;
        stack->push(&frame);
        feedback->transmitterConnectionFailed();
        feedback->transmitterConnectionSuccessful(2);
        QCOMPARE(frame.bannerIcon, NavigationFrameScreen::BannerIcon::Tick);
        QCOMPARE(frame.bannerText, QStringLiteral("Connection successful"));
        QVERIFY(frame.hasConnectionBanner());
        QTRY_VERIFY_WITH_TIMEOUT(!frame.hasConnectionBanner(), 3000);
    }

    void otherSuccessTypesRemoveTheBannerAtOnce()
    {
        TestFrameScreen frame;
        stack->push(&frame);
        feedback->transmitterConnectionFailed();
        feedback->transmitterConnectionSuccessful(1);
        QVERIFY(!frame.hasConnectionBanner());
        QVERIFY(!feedback->bannerRemovalTimer().isActive());
    }

    void successWithoutBannerDoesNothing()
    {
        TestFrameScreen frame;
        stack->push(&frame);
        feedback->transmitterConnectionSuccessful(2);
        QVERIFY(!frame.hasConnectionBanner());
        QVERIFY(!feedback->bannerRemovalTimer().isActive());
    }

    void newWindowIndicatorReplacesTheRunningOne()
    {
        app->setConnectionType(AppDelegate::kStreamImport);
        feedback->startActivity(12);
        app->setConnectionType(AppDelegate::kStreamImport);
        feedback->startActivity(12);
        QVERIFY(feedback->isWindowActivityShowing());
        // Replacing went through stopActivity, which returns to datagram mode.
        QCOMPARE(app->connectionType(), AppDelegate::kDatagramExchange);
    }
};

ARDENTIA_TEST_MAIN(TestShowAlertManager)
#include "tst_showalertmanager.moc"
