// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "control/homelists.h"
#include "datarow.h"
#include "devices/devicelistviewcontroller.h"
#include "frame/navigationstack.h"
#include "home/homefunctiontile.h"
#include "home/homemenuview.h"
#include "home/homescenariostrip.h"
#include "home/homeviewcontroller.h"
#include "home/menuslide.h"
#include "home/vthomecontrolsheet.h"
#include "loopbacksimulator.h"
#include "simulatedwindow.h"
#include "views/uiresources.h"
#include "views/vtactionsheet.h"
#include "views/vtpagecontrol.h"
#include "views/vtpagedscrollview.h"
#include "views/widgetfeedbackpresenter.h"
#include "widgettestmain.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>

namespace {
const QString kHall = QStringLiteral("211300001230");
const QString kStairs = QStringLiteral("211300001231");
const QString kLiving = QStringLiteral("212200004560");
const QString kBedroom = QStringLiteral("213100007890");

QVariantMap usedDevice(const QString &id, const QString &control, const QString &title, int uses)
{
    QVariantMap device = RecordFactory::device(id, control, id, title);
    device.insert(Key::controlTimes, QString::number(uses));
    return device;
}

QStringList titlesOf(const QList<QVariantMap> &records)
{
    QStringList titles;
    for (const QVariantMap &record : records)
        titles << record.value(Key::title).toString();
    return titles;
}
} // namespace

class TestHomeScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatedWindow> app;
    QTranslator chinese;

    HomeViewController *home() const { return app->home(); }
    NavigationStack *stack() const { return app->stack(); }

    void settle() { QVERIFY(SimulatedWindow::channelSettled()); }

    // A drag with the mouse that starts on a widget, in steps; the points are
    // fixed on the screen (the widget may move with the drag).
    static void drag(QWidget *widget, QPoint from, QPoint by)
    {
        const QPoint start = widget->mapToGlobal(from);
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(widget, widget->mapFromGlobal(start + by * step / 4));
        QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->mapFromGlobal(start + by));
    }

    static QVariantMap scenarioWith(const QString &number, const QString &title)
    {
        return RecordFactory::userScenario(number, title, "",
                                           {RecordFactory::device(kHall, "S", kHall, "Hall")});
    }

    // Touches a panel item and gives the sheet it opens.
    VtHomeControlSheet *sheetOf(QWidget *item)
    {
        if (!QTest::qWaitFor([this] { return !app->window()->findChild<VtHomeControlSheet *>(); }))
            return nullptr;
        QTest::mouseClick(item, Qt::LeftButton);
        return app->window()->findChild<VtHomeControlSheet *>();
    }

    void openWindow() { QVERIFY(app->openWindow()); }

private Q_SLOTS:
    void init() { app = std::make_unique<SimulatedWindow>(); }

    void cleanup()
    {
        if (app->simulator())
            settle();
        app.reset();
        QCoreApplication::removeTranslator(&chinese);
    }

    void listsAreOrderedByUseKeepingStoreOrderOnTies()
    {
        Database *store = Database::instance();
        store->insertMainDeviceWithInfo(usedDevice(kHall, "S", "Hall", 2));
        store->insertMainDeviceWithInfo(usedDevice(kStairs, "S", "Stairs", 5));
        store->insertMainDeviceWithInfo(usedDevice(kLiving, "D", "Living", 5));
        store->insertMainDeviceWithInfo(usedDevice(kBedroom, "C", "Bedroom", 0));
        store->insertScenarioWithInfo(scenarioWith("1", "Evening"));
        store->updateScenarioControlTimesWithMainID("1");
        const HomeLists lists = *HomeLists::load(app->program().services());
        QCOMPARE(titlesOf(lists.lightingArray), (QStringList{"Stairs", "Living", "Hall"}));
        QCOMPARE(titlesOf(lists.curtainArray), QStringList{"Bedroom"});
        QCOMPARE(titlesOf(lists.scenarioArray),
                 (QStringList{"Evening", "All On Mode", "All Off Mode"}));
    }

    void builtInScenariosFollowTheInterfaceLanguage_data()
    {
        QTest::addColumn<bool>("chineseInterface");
        QTest::addColumn<QString>("storedTitle");
        QTest::addColumn<QString>("expectedTitle");
        QTest::addColumn<bool>("renewed");
        dataRow("English keeps English", false, "All On Mode", "All On Mode", false);
        dataRow("English renews Chinese", false, "全开模式", "All On Mode", true);
        dataRow("Chinese renews English", true, "All On Mode", "全开模式", true);
        dataRow("Chinese keeps Chinese", true, "全开模式", "全开模式", false);
        dataRow("a user's title is kept", true, "Bright", "Bright", false);
    }

    void builtInScenariosFollowTheInterfaceLanguage()
    {
        QFETCH(bool, chineseInterface);
        QFETCH(QString, storedTitle);
        QFETCH(QString, expectedTitle);
        QFETCH(bool, renewed);
        if (chineseInterface) {
            QVERIFY(chinese.load(QStringLiteral(QM_FILE)));
            QCoreApplication::installTranslator(&chinese);
        }
        Database *store = Database::instance();
        QVariantMap allOn = *store->scenarioRecordWithMainID(Value::allOnMainID);
        const QString rowBefore = allOn.value(Key::id).toString();
        allOn.insert(Key::title, storedTitle);
        allOn.insert(Key::state, Value::yes);
        store->updateScenarioWithMainID(rowBefore, allOn);
        for (int use = 0; use < 4; ++use)
            store->updateScenarioControlTimesWithMainID(Value::allOnMainID);

        HomeLists::renewBuiltInScenarios(*store);
        const QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        QCOMPARE(scenarios.size(), 2);
        const auto found =
            std::find_if(scenarios.begin(), scenarios.end(), [](const QVariantMap &s) {
                return s.value(Key::mainID) == Value::allOnMainID;
            });
        QVERIFY(found != scenarios.end());
        const QVariantMap &after = *found;
        QCOMPARE(after.value(Key::id).toString() != rowBefore, renewed); // a new row
        QCOMPARE(after.value(Key::title).toString(), expectedTitle);
        QCOMPARE(after.value(Key::controlTimes).toString(), renewed ? "0" : "4");
        QCOMPARE(after.value(Key::state).toString(), renewed ? Value::no : Value::yes);
    }

    void stripPagesFiveEntriesEach()
    {
        QCOMPARE(HomeScenarioStrip::pageCountFor(2), 1);
        QCOMPARE(HomeScenarioStrip::pageCountFor(3), 1);
        QCOMPARE(HomeScenarioStrip::pageCountFor(4), 2);
        QCOMPARE(HomeScenarioStrip::pageCountFor(10), 3);

        Database::instance()->insertMainDeviceWithInfo(usedDevice(kHall, "S", "Hall", 0));
        openWindow();
        HomeScenarioStrip *strip = home()->strip();
        QCOMPARE(strip->entryCount(), 4); // All, All On, All Off, Add Scenario
        QCOMPARE(strip->pages()->pageCount(), 1);
        for (int n = 1; n <= 8; ++n)
            Database::instance()->insertScenarioWithInfo(scenarioWith(QString::number(n), "s"));
        home()->updateCenterView();
        QCOMPARE(strip->entryCount(), 12);
        QCOMPARE(strip->pages()->pageCount(), 3);

        // A swipe settles on the nearest page; the control follows.
        strip->pages()->horizontalScrollBar()->setValue(strip->width() * 3 / 2);
        strip->pages()->settle();
        QCOMPARE(strip->pages()->currentPage(), 2);
        QCOMPARE(strip->pageControl()->currentPage(), 2);
        QCOMPARE(VtPagedScrollView::pageNearest(159, 320), 0);
        QCOMPARE(VtPagedScrollView::pageNearest(160, 320), 1);
    }

    void menuDragRules_data()
    {
        QTest::addColumn<bool>("startedOpen");
        QTest::addColumn<double>("endX");
        QTest::addColumn<bool>("open");
        // Panel 320 wide: open at 275. Closed, it opens past a third (106.7);
        // open, it stays open beyond two thirds (213.3).
        dataRow("closed, short drag", false, 100.0, false);
        dataRow("closed, past a third", false, 110.0, true);
        dataRow("open, still beyond two thirds", true, 215.0, true);
        dataRow("open, dragged back", true, 210.0, false);
    }

    void menuDragRules()
    {
        QFETCH(bool, startedOpen);
        QFETCH(double, endX);
        QFETCH(bool, open);
        const double start = startedOpen ? MenuSlide::openX(320) + 160 : 160;
        QCOMPARE(MenuSlide::opensAfterDrag(start, endX + 160, 320), open);

        openWindow();
        if (startedOpen) {
            home()->showLeftViewNormal(true, false);
            QTRY_COMPARE(home()->centerView()->x(), MenuSlide::openX(320));
        }
        // Closed, the drag starts on a tile; open, the panel takes it.
        const int from = home()->centerView()->x();
        QWidget *touched = startedOpen ? home()->centerView() : home()->tile(2);
        drag(touched, QPoint(100, 20), QPoint(int(endX) - from, 0));
        QCOMPARE(home()->ifShowLeftView(), open);
        QTRY_COMPARE(home()->centerView()->x(), open ? MenuSlide::openX(320) : 0);
    }

    void theMenuOpensOverAndClosesByTap()
    {
        Database::instance()->insertMainDeviceWithInfo(usedDevice(kHall, "S", "Hall", 0));
        openWindow();
        HomeFunctionTile *lighting = home()->tile(0);
        lighting->setOpen(true, false);
        home()->navLeftButtonItemPressed();
        QVERIFY(home()->ifShowLeftView());
        QVERIFY(!lighting->isOpen()); // panels close as the menu opens
        // It overshoots by 10 points, then settles.
        int furthest = 0;
        QElapsedTimer watch;
        watch.start();
        while (watch.elapsed() <
               MenuSlide::kSlideMilliseconds + MenuSlide::kSettleMilliseconds + 200) {
            furthest = qMax(furthest, home()->centerView()->x());
            QTest::qWait(5);
        }
        QVERIFY(furthest > MenuSlide::openX(320));
        QCOMPARE(home()->centerView()->x(), MenuSlide::openX(320));
        // The panel takes no touches of its own now: a touch on a tile closes the menu.
        QTest::mouseClick(home()->centerView(), Qt::LeftButton, {}, QPoint(20, 120));
        QVERIFY(!home()->ifShowLeftView());
        QCOMPARE(stack()->top(), static_cast<QWidget *>(home()));
        QTRY_COMPARE(home()->centerView()->x(), 0);
    }

    void aTileOpensByADownwardDragOfMoreThan40Points()
    {
        Database *store = Database::instance();
        const QStringList ids{kHall, kStairs, "211300001232", "211300001233"};
        for (const QString &id : ids)
            store->insertMainDeviceWithInfo(usedDevice(id, "S", id, 0));
        openWindow();
        HomeFunctionTile *lighting = home()->tile(0);
        drag(lighting, QPoint(150, 20), QPoint(0, 40));
        QVERIFY(!lighting->isOpen());
        QCOMPARE(stack()->top(), static_cast<QWidget *>(home())); // a drag is no touch
        drag(lighting, QPoint(150, 20), QPoint(0, 41));
        QVERIFY(lighting->isOpen());
        QCOMPARE(lighting->itemCount(), 3); // the three most used
        QVERIFY(!lighting->hint()->isVisible());
        QVERIFY(lighting->allButton()->isVisible());
        drag(lighting, QPoint(150, 60), QPoint(0, -41));
        QVERIFY(!lighting->isOpen());
        QVERIFY(lighting->hint()->isVisible());

        // The handle toggles; an empty area opens empty.
        QTest::mouseClick(home()->tile(1)->pullHandle(), Qt::LeftButton);
        QVERIFY(home()->tile(1)->isOpen());
        QCOMPARE(home()->tile(1)->itemCount(), 0);

        // On a 640 x 960 screen, two items.
        app->window()->resize(320, 480);
        home()->updateCenterView();
        lighting->setOpen(true, false);
        QCOMPARE(lighting->itemCount(), 2);
    }

    void tilesAndTheStripOpenTheirScreens_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<bool>("byAllButton");
        QTest::addColumn<QString>("screen");
        dataRow("lighting tile", 0, false, "LightingViewController");
        dataRow("curtain tile", 1, false, "CurtainViewController");
        dataRow("scenario tile", 2, false, "SceneViewController");
        dataRow("lighting All", 0, true, "LightingViewController");
        dataRow("strip All", -1, true, "SceneViewController");
    }

    void tilesAndTheStripOpenTheirScreens()
    {
        QFETCH(int, tile);
        QFETCH(bool, byAllButton);
        QFETCH(QString, screen);
        storeDemoMaster();
        Database::instance()->insertMainDeviceWithInfo(usedDevice(kHall, "S", "Hall", 0));
        Database::instance()->insertMainDeviceWithInfo(usedDevice(kBedroom, "C", "Curtain", 0));
        openWindow();
        if (tile < 0) {
            QTest::mouseClick(home()->strip()->entryAt(0), Qt::LeftButton);
        } else if (byAllButton) {
            home()->tile(tile)->setOpen(true, false);
            QTest::mouseClick(home()->tile(tile)->allButton(), Qt::LeftButton);
        } else {
            QTest::mouseClick(home()->tile(tile), Qt::LeftButton, {}, QPoint(150, 40));
        }
        QCOMPARE(QString::fromLatin1(stack()->top()->metaObject()->className()), screen);
    }

    void fingersOnATouchScreen()
    {
        Database *store = Database::instance();
        store->insertMainDeviceWithInfo(usedDevice(kHall, "S", "Hall", 0));
        store->insertMainDeviceWithInfo(usedDevice(kBedroom, "C", "Bedroom", 0));
        openWindow();
        const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
        QPointingDevice *screen = device.get();
        const auto at = [this](QWidget *widget, QPoint point) {
            return widget->mapTo(app->window(), point);
        };
        // Two fingers at once, each on its tile, each opening its own panel.
        HomeFunctionTile *lighting = home()->tile(0);
        HomeFunctionTile *curtains = home()->tile(1);
        QTest::touchEvent(app->window(), screen)
            .press(0, at(lighting, {100, 20}))
            .press(1, at(curtains, {100, 20}));
        QTest::touchEvent(app->window(), screen)
            .move(0, at(lighting, {100, 45}))
            .move(1, at(curtains, {100, 30}));
        QTest::touchEvent(app->window(), screen)
            .move(0, at(lighting, {100, 62}))
            .move(1, at(curtains, {100, 62}));
        QTest::touchEvent(app->window(), screen)
            .release(0, at(lighting, {100, 62}))
            .release(1, at(curtains, {100, 62}));
        QVERIFY(lighting->isOpen());
        QVERIFY(curtains->isOpen());
        QCOMPARE(stack()->top(), static_cast<QWidget *>(home()));

        // A tap on an item of the open panel is the item's.
        QTRY_VERIFY(!lighting->isMoving() && !curtains->isMoving()); // the panels in place
        const QPoint item = at(lighting->itemAt(0), {100, 30});
        QTest::touchEvent(app->window(), screen).press(0, item);
        QTest::touchEvent(app->window(), screen).release(0, item);
        QTRY_VERIFY(app->window()->findChild<VtHomeControlSheet *>());
    }

    void menuRowsTouchedTwiceWithinASecondOpenOneScreen()
    {
        storeDemoMaster();
        openWindow();
        home()->showLeftViewNormal(true, false);
        home()->menu()->row(HomeMenuView::DeviceManagement)->click();
        home()->menu()->row(HomeMenuView::DeviceManagement)->click();
        QCOMPARE(stack()->screens().size(), 2);
        auto *list = dynamic_cast<DeviceListViewController *>(stack()->top());
        QVERIFY(list);
        QCOMPARE(stack()->top()->popType(), int(ParentPresentViewController::FromMenu));
        QCOMPARE(list->rowCount(0), 1); // read from the store as it appears, not blank
    }

    void cleanAllEmptiesThePanels()
    {
        Database::instance()->insertMainDeviceWithInfo(usedDevice(kHall, "S", "Hall", 0));
        Database::instance()->insertScenarioWithInfo(scenarioWith("1", "Evening"));
        openWindow();
        QCOMPARE(home()->lightingArray().size(), 1);
        home()->showLeftViewNormal(true, false);
        home()->menu()->row(HomeMenuView::CleanAll)->click();
        auto *sheet = app->window()->findChild<VtActionSheet *>("menuSheet111");
        QVERIFY(sheet);
        Q_EMIT sheet->clickedButtonAtIndex(0); // cancel: nothing happens
        QCOMPARE(home()->lightingArray().size(), 1);

        QTest::qWait(HomeViewController::kMenuGuardMilliseconds + 50);
        home()->menu()->row(HomeMenuView::CleanAll)->click();
        sheet = app->window()->findChildren<VtActionSheet *>("menuSheet111").constLast();
        const auto buttons = sheet->findChildren<QPushButton *>();
        auto confirm = std::find_if(buttons.begin(), buttons.end(), [](QPushButton *b) {
            return b->text() == QStringLiteral("Clean All");
        });
        QVERIFY(confirm != buttons.end());
        (*confirm)->click();
        QCOMPARE(app->lastToast(), QStringLiteral("Clean all successful"));
        QVERIFY(home()->lightingArray().isEmpty());
        QCOMPARE(titlesOf(home()->scenarioArray()), (QStringList{"All On Mode", "All Off Mode"}));
        home()->tile(0)->setOpen(true, false);
        QCOMPARE(home()->tile(0)->itemCount(), 0);
    }

    void synchronizeDataFromTheMenuImportsTheMastersHome()
    {
        QVERIFY(app->startSimulator());
        storeDemoMaster();
        openWindow();
        home()->showLeftViewNormal(true, false);
        home()->menu()->row(HomeMenuView::SynchronizeData)->click();
        auto *sheet = app->window()->findChild<VtActionSheet *>("menuSheet112");
        QVERIFY(sheet);
        Q_EMIT sheet->clickedButtonAtIndex(1);
        QTRY_COMPARE(app->lastToast(), QStringLiteral("Synchronous data successful"));
        QTRY_COMPARE(home()->lightingArray().size(), 5);
        QCOMPARE(home()->curtainArray().size(), 2);
        QVERIFY(home()->scenarioArray().size() > 2);
    }

    void controlSheetsSendTheirCommands()
    {
        QVERIFY(app->startSimulator());
        storeDemoMaster();
        Database *store = Database::instance();
        store->insertMainDeviceWithInfo(usedDevice(kStairs, "S", "Stairs", 3));
        store->insertMainDeviceWithInfo(usedDevice(kLiving, "D", "Living room", 1));
        store->insertMainDeviceWithInfo(usedDevice(kBedroom, "C", "Bedroom curtain", 0));
        openWindow();
        HomeFunctionTile *lighting = home()->tile(0);
        lighting->setOpen(true, false);

        // A switching light: ON.
        auto *sheet = sheetOf(lighting->itemAt(0));
        QVERIFY(sheet);
        QCOMPARE(sheet->controlType(), QStringLiteral("1"));
        QCOMPARE(sheet->tag(), 1);
        QCOMPARE(sheet->panel()->height(), 190);
        sheet->findChild<QPushButton *>("button2")->click();
        QTRY_VERIFY(app->simulator()->home().channel(kStairs)->state.on);
        settle();

        // A dimmer: a quick slide from 60 to 35 ends at 35 with no lost level.
        lighting->setOpen(true, false);
        const int living = home()->lightingArray().at(0).value(Key::id) == kLiving ? 0 : 1;
        sheet = home()->darkItemPressed("1", living + 1, home()->lightingArray().at(living));
        QCOMPARE(sheet->controlType(), QStringLiteral("2"));
        // The level the home reported when the panel opened, not the stored "0".
        QCOMPARE(sheet->slider()->value(), 60);
        QSignalSpy reports(sheet, &VtHomeControlSheet::clickedButtonAtIndex);
        sheet->slider()->setValue(35);
        QCOMPARE(reports.size(), 25); // every level passed: 59, 58, ..., 35
        QCOMPARE(reports.constLast().at(0).toInt(), 35);
        QVERIFY(sheet->isVisible()); // open until Cancel
        QTRY_COMPARE(app->simulator()->home().channel(kLiving)->state.level, 35);
        settle();
        QVERIFY(app->lastToast() != QStringLiteral("Your operating too often"));
        sheet->findChild<QPushButton *>("button0")->click();
        QTRY_VERIFY(!app->window()->findChild<VtHomeControlSheet *>());

        // A curtain: open.
        HomeFunctionTile *curtains = home()->tile(1);
        curtains->setOpen(true, false);
        sheet = sheetOf(curtains->itemAt(0));
        QCOMPARE(sheet->controlType(), QStringLiteral("3"));
        QCOMPARE(sheet->panel()->height(), 240);
        sheet->findChild<QPushButton *>("button3")->click();
        QTRY_COMPARE(app->simulator()->home().channel(kBedroom)->state.position, 100);
        settle();

        // A scenario: Enable runs it and marks it on the strip.
        HomeFunctionTile *scenarios = home()->tile(2);
        scenarios->setOpen(true, false);
        sheet = sheetOf(scenarios->itemAt(0)); // All On, used as much as All Off
        QCOMPARE(sheet->controlDictionary().value(Key::mainID).toString(), Value::allOnMainID);
        QCOMPARE(sheet->controlType(), QStringLiteral("4"));
        QCOMPARE(sheet->panel()->height(), 140);
        sheet->findChild<QPushButton *>("button1")->click();
        QTRY_VERIFY(app->simulator()->home().channel("211300001232")->state.on); // off until now
        settle();
        QCOMPARE(home()->scenarioArray().constFirst().value(Key::state).toString(), Value::yes);
        QVERIFY(home()->strip()->findChild<QWidget *>("activeEntry"));
    }

    // The home's states come in while a person works the lighting panel with
    // the keyboard: the focus stays on its item, and comes back to it when
    // the item's sheet closes. A closed panel's items are out of Tab's reach.
    void theKeyboardKeepsItsPlaceOnAPanelTheHomeRefreshes()
    {
        Database *store = Database::instance();
        for (const QString &id : {kHall, kStairs, QStringLiteral("211300001232")})
            store->insertMainDeviceWithInfo(usedDevice(id, "S", id, 0));
        openWindow();
        app->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->window()));
        const auto focused = [] { return QApplication::focusWidget(); };
        HomeFunctionTile *lighting = home()->tile(0);
        lighting->setOpen(true, false);
        const auto stairs = [lighting] { return lighting->itemAt(1); };
        stairs()->setFocus(Qt::TabFocusReason);
        home()->updateCenterView();
        QCOMPARE(focused(), stairs());
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), lighting->itemAt(2));
        QTest::keyClick(focused(), Qt::Key_Backtab);
        QCOMPARE(focused(), stairs());

        QTest::keyClick(stairs(), Qt::Key_Return);
        QTRY_VERIFY(app->window()->findChild<VtHomeControlSheet *>());
        home()->showLiveState(kStairs); // the answer to the sheet's state query
        app->window()->findChild<VtHomeControlSheet *>()->dismiss();
        QTRY_VERIFY(!app->window()->findChild<VtHomeControlSheet *>());
        QCOMPARE(focused(), stairs());

        QTest::keyClick(focused(), Qt::Key_Up); // from the item, up to its tile
        QCOMPARE(focused(), static_cast<QWidget *>(lighting));
        QTRY_VERIFY(!lighting->isMoving());
        QTest::keyClick(lighting, Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget *>(home()->tile(1)));
    }

    void sheetsCloseWithoutAReport_data()
    {
        QTest::addColumn<bool>("byBackground");
        dataRow("Cancel", false);
        dataRow("background", true);
    }

    void sheetsCloseWithoutAReport()
    {
        QFETCH(bool, byBackground);
        openWindow();
        QVariantMap scenario = RecordFactory::userScenario("1", "Nowhere", "/no/such.png", {});
        auto *sheet = new VtHomeControlSheet("4", QString(), scenario, app->window());
        QVERIFY(!sheet->hasIcon()); // neither a file nor a picture of that name
        QSignalSpy reports(sheet, &VtHomeControlSheet::clickedButtonAtIndex);
        sheet->show();
        if (byBackground)
            QTest::mouseClick(sheet, Qt::LeftButton, {}, QPoint(160, 30));
        else
            sheet->findChild<QPushButton *>("button0")->click();
        QPointer<VtHomeControlSheet> gone(sheet);
        QTRY_VERIFY(!gone);
        QCOMPARE(reports.size(), 0);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestHomeScreen, initUiResources)
#include "tst_homescreen.moc"
