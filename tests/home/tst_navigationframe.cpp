// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "control/appdelegate.h"
#include "control/delegatemanager.h"
#include "control/homeactions.h"
#include "control/scannerscreen.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "control/useordering.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/parentviewcontroller.h"
#include "freshprogram.h"
#include "home/homeviewcontroller.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"
#include "views/uiresources.h"
#include "views/vtactionsheet.h"
#include "views/vtalertdialog.h"
#include "views/vtconnectstateview.h"
#include "views/widgetfeedbackpresenter.h"
#include "widgettestmain.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLabel *labelIn(QWidget *widget, int index = 0)
{
    return widget->findChildren<QLabel *>().value(index);
}

// How a screen reader meets a widget: its role, then its name.
QString spoken(QWidget *widget)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
    if (!node)
        return {};
    return QStringLiteral("%1 %2").arg(node->role() == QAccessible::AlertMessage
                                           ? QStringLiteral("alert")
                                           : QStringLiteral("other"),
                                       node->text(QAccessible::Name));
}
} // namespace

class TestNavigationFrame : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    std::unique_ptr<AppWindow> window;
    ShowAlertManager *feedback = nullptr;

    NavigationStack *stack() const { return window->navigationController(); }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        feedback = ShowAlertManager::instance();
        window = std::make_unique<AppWindow>(program->services());
        window->show();
    }

    void cleanup()
    {
        window.reset();
        program.reset();
    }

    void nameFieldRules_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("tooLong");
        const QString twenty(20, 'a');
        dataRow("typing", "Hal", "Hall", "Hall", false);
        dataRow("the 21st character", twenty, twenty + "b", twenty, true);
        dataRow("pasting 30 into an empty field", "", QString(30, 'p'), QString(30, 'p'), false);
        dataRow("typing after a long paste cuts to 20", QString(30, 'p'), QString(30, 'p') + "x",
                QString(20, 'p'), true);
        dataRow("deleting is always allowed", QString(30, 'p'), QString(29, 'p'), QString(29, 'p'),
                false);
        dataRow("a comma is refused", "Hall", "Hall,", "Hall", false);
        dataRow("a pasted line break is refused", "Hall", "Hall\nup", "Hall", false);
    }
    void nameFieldRules()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, shown);
        QFETCH(bool, tooLong);
        bool saidTooLong = false;
        QCOMPARE(ParentPresentViewController::nameFieldText(before, after, &saidTooLong), shown);
        QCOMPARE(saidTooLong, tooLong);
    }

    void typingIntoANameField()
    {
        auto *screen = new ParentViewController(QStringLiteral("Naming"));
        auto *field = new QLineEdit(screen);
        screen->attachNameField(field);
        stack()->push(screen, false);
        field->setFocus();
        QTest::keyClicks(field, QString(20, 'a'));
        QCOMPARE(field->text(), QString(20, 'a'));
        QTest::keyClicks(field, "b");
        QCOMPARE(field->text(), QString(20, 'a'));
        QVERIFY(window->feedbackPresenter()->toast());
        QCOMPARE(labelIn(window->feedbackPresenter()->toast())->text(),
                 QStringLiteral("Maximum 20 bytes"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString(19, 'a'));
        QTest::keyClicks(field, ",");
        QCOMPARE(field->text(), QString(19, 'a'));
    }

    void ordersByUseKeepingTies()
    {
        QList<QVariantMap> records;
        for (const char *uses : {"3", "7", "7", "0", "abc"})
            records.append(
                {{Key::controlTimes, uses}, {Key::title, QString::number(records.size())}});
        UseOrdering::updateArrayFBTSWithArray(records);
        QStringList order;
        for (const QVariantMap &r : records)
            order << r.value(Key::title).toString();
        QCOMPARE(order, (QStringList{"1", "2", "0", "3", "4"}));
    }

    void bannerFollowsTheConnectionOnAppearance()
    {
        Database::instance()->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.2", true));
        AppDelegate::instance()->setIfConnected(AppDelegate::kConnectionFailed);
        auto *first = new ParentViewController(QStringLiteral("First"));
        stack()->push(first, false);
        QVERIFY(first->hasConnectionBanner());
        QCOMPARE(first->banner()->y(), NavigationBar::kHeight);
        QCOMPARE(first->banner()->height(), 30);

        auto *modal = new ParentViewController(QStringLiteral("Modal"));
        modal->setPopType(ParentPresentViewController::Modal);
        stack()->push(modal, false);
        QVERIFY(!modal->hasConnectionBanner()); // a modal screen neither shows nor removes

        AppDelegate::instance()->setIfConnected(AppDelegate::kConnectionUnknown);
        auto *second = new ParentViewController(QStringLiteral("Second"));
        stack()->push(second, false);
        QVERIFY(!second->hasConnectionBanner());
    }

    void screensFromTheMenuSlideUpAndDown()
    {
        auto *screen = new ParentViewController(QStringLiteral("Devices"));
        screen->setPopType(ParentPresentViewController::FromMenu);
        stack()->push(screen, true);
        QCOMPARE(screen->y(), stack()->height());
        QTRY_COMPARE(screen->y(), 0);
        QVERIFY(!window->home()->isVisible());

        QTest::mouseClick(screen->navBar()->leftButton(), Qt::LeftButton);
        QVERIFY(window->home()->isVisible());
        QCOMPARE(stack()->screens().size(), 2); // still there while it slides down
        QTRY_COMPARE(stack()->screens().size(), 1);
        QCOMPARE(stack()->top(), window->home());
    }

    void modalScreensAreDismissed()
    {
        auto *modal = new ParentViewController(QStringLiteral("ID"));
        modal->setPopType(ParentPresentViewController::Modal);
        stack()->push(modal, true);
        QTRY_COMPARE(modal->y(), 0);
        QTest::mouseClick(modal->navBar()->leftButton(), Qt::LeftButton);
        QTRY_COMPARE(stack()->top(), window->home());
    }

    void activationWithoutTransmitterOpensTheScanner()
    {
        program->lifecycle().applicationDidBecomeActive();
        auto *scanner = stack()->top();
        QVERIFY(dynamic_cast<ScannerScreen *>(scanner));
        // Active again with the scanner showing: it stays, no second one opens.
        program->lifecycle().applicationDidBecomeActive();
        QCOMPARE(stack()->top(), scanner);
        QCOMPARE(stack()->screens().size(), 2);
    }

    void importFromTheSimulatorShowsTheWindowIndicator()
    {
        TransmitterServer simulator(SimulatedHome::demo());
        simulator.setLogging(false);
        QString error;
        QVERIFY2(simulator.start(0, 0, &error), qPrintable(error));
        QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.2", true);
        master.insert(Key::command, Value::yes);
        Database::instance()->insertSuperBoxWithInfo(master);
        TCPSocketManager::instance()->setImportPort(simulator.streamPort());

        HomeActions(program->services()).synchronizeData();
        QVERIFY(window->feedbackPresenter()->activityPanel());
        QTRY_VERIFY(window->feedbackPresenter()->toast());
        QCOMPARE(labelIn(window->feedbackPresenter()->toast())->text(),
                 QStringLiteral("Synchronous data successful"));
        QTRY_VERIFY(!window->feedbackPresenter()->activityPanel());
        QCOMPARE(Database::instance()->readAllMainDeviceInfo().size(), 7);
    }

    void pushedScreensGoBackAtOnce()
    {
        auto *screen = new ParentViewController(QStringLiteral("Lighting"));
        stack()->push(screen, true);
        QCOMPARE(screen->y(), 0);
        QTest::mouseClick(screen->navBar()->leftButton(), Qt::LeftButton);
        QCOMPARE(stack()->top(), window->home());
    }

    void datagramCommandShowsConnectingInTheBar()
    {
        feedback->startActivity(10);
        HomeViewController *home = window->home();
        QVERIFY(home->hasBarActivity());
        QCOMPARE(home->navBar()->titleLabel()->text(), QStringLiteral("Connecting..."));
        QVERIFY(!window->feedbackPresenter()->activityPanel());
        feedback->stopActivity();
        QCOMPARE(home->navBar()->titleLabel()->text(), QStringLiteral("Home"));
        QVERIFY(!home->hasBarActivity());
    }

    void leavingAScreenRemovesItsIndicator()
    {
        feedback->startActivity(10);
        auto *next = new ParentViewController(QStringLiteral("Lighting"));
        stack()->push(next, false);
        QVERIFY(!window->home()->hasBarActivity());
        QCOMPARE(window->home()->navBar()->titleLabel()->text(), QStringLiteral("Home"));
        QTest::mouseClick(next->navBar()->leftButton(), Qt::LeftButton);
        QVERIFY(!window->home()->hasBarActivity());
    }

    void importShowsTheWindowIndicator()
    {
        AppDelegate::instance()->setConnectionType(AppDelegate::kStreamImport);
        feedback->startActivity(12);
        QWidget *panel = window->feedbackPresenter()->activityPanel();
        QVERIFY(panel);
        QCOMPARE(panel->size(), QSize(80, 80));
        QCOMPARE(panel->geometry().center().x(), window->width() / 2 - 1);
        feedback->stopActivity();
        QTRY_VERIFY(!window->feedbackPresenter()->activityPanel());
    }

    void toastsReplaceEachOther()
    {
        feedback->showLabelWithTitle(QStringLiteral("First"));
        QWidget *first = window->feedbackPresenter()->toast();
        QVERIFY(first);
        const int titleHeight = labelIn(first)->height();
        QCOMPARE(first->height(), 40 + titleHeight);
        feedback->showLabelWithTitle(QStringLiteral("Control failed"),
                                     QStringLiteral("Please check device and network"));
        QWidget *second = window->feedbackPresenter()->toast();
        QVERIFY(second != first);
        QCOMPARE(second->findChildren<QLabel *>().size(), 2);
    }

    // The toast and the connection banner reach a screen reader as alerts
    // (the offscreen platform has no accessibility bridge to hear the event).
    void feedbackIsAnnounced()
    {
        feedback->showLabelWithTitle(QStringLiteral("Control failed"),
                                     QStringLiteral("Please check device and network"));
        QCOMPARE(spoken(window->feedbackPresenter()->toast()),
                 QStringLiteral("alert Control failed\nPlease check device and network"));
        Database::instance()->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.2", true));
        AppDelegate::instance()->setIfConnected(AppDelegate::kConnectionFailed);
        auto *screen = new ParentViewController(QStringLiteral("First"));
        stack()->push(screen, false);
        QCOMPARE(spoken(screen->banner()), QStringLiteral("alert Network connection failed"));
    }

    void timeOutAndReplyAgainstTheSimulator()
    {
        TransmitterServer simulator(SimulatedHome::demo());
        simulator.setLogging(false);
        QString error;
        QVERIFY2(simulator.start(0, 0, &error), qPrintable(error));
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setTransmitterPort(simulator.datagramPort());
        QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.2", true);
        master.insert(Key::command, Value::yes);
        Database::instance()->insertSuperBoxWithInfo(master);

        simulator.faults().add(*FaultRule::parse("*:*:*=drop", nullptr));
        channel->sendMessageWithCommandArray({"cfg", "lig", "211300001231", "4", "1", "0", "0"});
        QVERIFY(window->home()->hasBarActivity());
        feedback->activityOnTimeOut(); // what the 10 s wait ends in
        HomeViewController *home = window->home();
        QVERIFY(home->hasConnectionBanner());
        QCOMPARE(home->banner()->parentWidget(), home->contentView());
        QCOMPARE(home->banner()->findChild<VtConnectStateView *>()->selectType(), 1);

        simulator.faults().clear();
        channel->rediscovery().getGatewayIPAgain(std::nullopt);
        channel->sendMessageWithCommandArray({"cfg", "lig", "211300001231", "4", "1", "0", "0"});
        QTRY_COMPARE(
            home->banner() ? home->banner()->findChild<VtConnectStateView *>()->selectType() : -1,
            0);
        QCOMPARE(labelIn(home->banner())->text(), QStringLiteral("Connection successful"));
        QTRY_VERIFY_WITH_TIMEOUT(!home->hasConnectionBanner(), 3000);
    }

    void actionSheetNumbersItsButtons()
    {
        auto *sheet = new VtActionSheet({QStringLiteral("Clean All")}, 111, window.get());
        QList<int> chosen;
        connect(sheet, &VtActionSheet::clickedButtonAtIndex, this,
                [&chosen](int i) { chosen << i; });
        sheet->showSheet();
        QPushButton *clean = sheet->findChildren<QPushButton *>().constFirst();
        QCOMPARE(clean->text(), QStringLiteral("Clean All"));
        QTest::mouseClick(clean, Qt::LeftButton);
        QCOMPARE(chosen, QList<int>{1});

        auto *again = new VtActionSheet({QStringLiteral("Synchronize Data")}, 112, window.get());
        connect(again, &VtActionSheet::clickedButtonAtIndex, this,
                [&chosen](int i) { chosen << i; });
        again->showSheet();
        QTest::mouseClick(again, Qt::LeftButton, {}, QPoint(10, 10)); // the background
        QCOMPARE(chosen, (QList<int>{1, 0}));
    }

    void alertAnswersWithTheButtonIndex()
    {
        int answer = -1;
        window->alertDialog()->showAlert(
            QStringLiteral("控制器无应答,可能已损坏或被移除,请确认是否强制删除"),
            {QStringLiteral("强制删除"), QStringLiteral("取消")}, [&answer](int i) { answer = i; });
        QWidget *alert = window->alertDialog()->visibleAlert();
        QVERIFY(alert);
        QTest::mouseClick(alert->findChild<QPushButton *>("alertButton1"), Qt::LeftButton);
        QCOMPARE(answer, 1);
    }

    void firstStartRunsTheCheckAfterTheLogo()
    {
        QFile::remove(DelegateManager::markerPath());
        window->showFirstInitView();
        VtFirstInitParentView *overlay = window->overlay();
        QVERIFY(overlay);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(DelegateManager::markerPath()), 3000);
        QCOMPARE(overlay->circle()->steps(), 61); // 6 degrees a step, past a full turn
        QTRY_VERIFY_WITH_TIMEOUT(!window->overlay(), 3000);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestNavigationFrame, initUiResources)
#include "tst_navigationframe.moc"
