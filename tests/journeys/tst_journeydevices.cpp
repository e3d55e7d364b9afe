// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/curtainviewcontroller.h"
#include "devices/devicedetailviewcontroller.h"
#include "devices/devicelistviewcontroller.h"
#include "devices/editnameviewcontroller.h"
#include "devices/lightingviewcontroller.h"
#include "enrol/codeimage.h"
#include "faultrule.h"
#include "frame/navigationbar.h"
#include "home/homefunctiontile.h"
#include "home/homeviewcontroller.h"
#include "home/vthomecontrolsheet.h"
#include "journeyapp.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "views/touchpan.h"
#include "views/uiresources.h"
#include "views/vtmovecell.h"
#include "views/vtsimpleslider.h"
#include "widgettestmain.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>

// Devices as a person reaches them: the device management from the menu,
// lights and curtains from their tiles and from the tiles' hidden panels.
class TestJourneyDevices : public QObject {
    Q_OBJECT

    std::unique_ptr<JourneyApp> app;

    HomeViewController *home() const { return app->home(); }

    // The name of a channel of the demo home, as the simulator knows it.
    QString idOf(const QString &name) const
    {
        for (const SimulatedHome::Channel &channel : app->simulator()->home().channels())
            if (channel.name == name)
                return channel.id;
        return {};
    }

    // Which of a switch row's ON and OFF shows checked ("" for neither).
    QString switchShown(const QString &name) const
    {
        for (const char *which : {"on", "off"})
            if (app->row(name)->findChild<QPushButton *>(which)->isChecked())
                return QString::fromLatin1(which).toUpper();
        return {};
    }

    // The lighting panel's item spoken with this name and state, if shown.
    QWidget *panelItem(const QString &spoken) const
    {
        HomeFunctionTile *tile = home()->tile(0);
        for (int k = 0; k < tile->itemCount(); ++k)
            if (tile->itemAt(k)->accessibleName() == spoken)
                return tile->itemAt(k);
        return nullptr;
    }

    // A plain touch on a tile opens its area's screen.
    bool tapTile(int index)
    {
        HomeFunctionTile *tile = home()->tile(index);
        return app->tap(tile, tile->hint()->geometry().center());
    }

    // Opens a tile's hidden panel with a finger drawn down over the tile.
    void pullDown(HomeFunctionTile *tile)
    {
        app->fingerDrag(tile, {0, 60});
        QTRY_VERIFY(tile->isOpen());
        QVERIFY(app->settle());
    }

private Q_SLOTS:
    JOURNEY_SIZES

    void init()
    {
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize());
        QVERIFY(app->started());
        QVERIFY(app->homeOnTop());
        const QStringList problems = app->auditAndSave(QStringLiteral("home"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    void cleanup() { app.reset(); }

    void deviceManagementShowsRenamesAndRemoves()
    {
        QVERIFY(app->tap(home()->navBar()->leftButton())); // the menu
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->button(QStringLiteral("Device Management"))));
        QVERIFY(app->waitFor<DeviceListViewController>());
        QCOMPARE(app->rowNames().size(), 2); // both transmitters; devices folded away
        // The master has answered in this run; the line under its name says when.
        const auto *link =
            app->row(app->rowNames().constFirst())->findChild<QLabel *>("linkStatus");
        QVERIFY(link);
        QVERIFY2(QRegularExpression(QStringLiteral("^answered \\d+ s ago$"))
                     .match(link->text())
                     .hasMatch(),
                 qPrintable(link->text()));
        QVERIFY(app->tap(app->button(QStringLiteral("Lighting"))));
        QVERIFY(app->tap(app->button(QStringLiteral("Curtain"))));
        QVERIFY(app->settle());
        for (const char *name : {"Hall", "Stairs", "Porch", "Living room", "Dining table",
                                 "Bedroom curtain", "Study curtain"})
            QVERIFY2(app->row(QString::fromUtf8(name)), name);
        QStringList problems = app->auditAndSave(QStringLiteral("device-list"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // The detail shows the unit's ID as a code the scanner reads back.
        QVERIFY(app->tap(app->row(QStringLiteral("Hall")), QPoint(100, 30)));
        auto *detail = app->waitFor<DeviceDetailViewController>();
        QVERIFY(detail);
        QVERIFY(detail->detailText().contains(QStringLiteral("211300001230")));
        QCOMPARE(CodeImage::read(app->window()->grab().toImage()).value_or(QString()),
                 QStringLiteral("211300001230"));
        QVERIFY(app->back());
        QVERIFY(app->waitFor<DeviceListViewController>());

        // Renamed from its swipe panel: stored once the transmitter took it.
        app->swipeLeft(app->row(QStringLiteral("Hall")));
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->row(QStringLiteral("Hall"))->editButton()));
        auto *naming = app->waitFor<EditNameViewController>();
        QVERIFY(naming);
        app->type(naming->nameField(), QStringLiteral("Front hall"));
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
        QVERIFY(app->waitFor<DeviceListViewController>());
        QTRY_VERIFY(app->row(QStringLiteral("Front hall")));
        QCOMPARE(app->simulator()->home().channel(QStringLiteral("211300001230"))->name,
                 QStringLiteral("Front hall"));

        // Removed from its swipe panel: gone from the list and the installation.
        app->swipeLeft(app->row(QStringLiteral("Porch")));
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->row(QStringLiteral("Porch"))->deleteButton()));
        QTRY_VERIFY(!app->row(QStringLiteral("Porch")));
        QVERIFY(!app->simulator()->home().channel(QStringLiteral("211300001232")));

        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());
    }

    void lightsFromTheirTileAndTheirPanel()
    {
        QVERIFY(tapTile(0));
        QVERIFY(app->waitFor<LightingViewController>());
        QCOMPARE(app->rowNames().size(), 5);
        QCOMPARE(switchShown(QStringLiteral("Stairs")), QStringLiteral("OFF"));
        QVERIFY(app->tap(app->row(QStringLiteral("Stairs"))->findChild<QPushButton *>("on")));
        QVERIFY(app->settle());
        QVERIFY(app->simulator()->home().channel(idOf(QStringLiteral("Stairs")))->state.on);
        QCOMPARE(switchShown(QStringLiteral("Stairs")), QStringLiteral("ON"));
        // A command the home refuses leaves the row as it was.
        app->simulator()->faults().add(*FaultRule::parse(
            QStringLiteral("lig:4:") + idOf(QStringLiteral("Stairs")) + QStringLiteral("=code:1"),
            nullptr));
        QVERIFY(app->tap(app->row(QStringLiteral("Stairs"))->findChild<QPushButton *>("off")));
        QVERIFY(app->settle());
        QCOMPARE(app->lastToast(), QStringLiteral("Control failed"));
        QCOMPARE(switchShown(QStringLiteral("Stairs")), QStringLiteral("ON"));
        app->simulator()->faults().clear();

        // A dimmer opens under its row; its plus button raises the level.
        QVERIFY(app->tap(app->row(QStringLiteral("Dining table")), QPoint(100, 30)));
        QVERIFY(app->settle());
        auto *slider = app->row(QStringLiteral("Dining table"))->findChild<VtSimpleSlider *>();
        QVERIFY(slider);
        QVERIFY(app->row(QStringLiteral("Dining table"))->findChild<QWidget *>("separator"));
        QStringList problems = app->auditAndSave(QStringLiteral("lighting-expanded"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->tap(slider->plusButton()));
        QVERIFY(app->settle());
        const SimulatedHome::Channel *dining =
            app->simulator()->home().channel(idOf(QStringLiteral("Dining table")));
        QVERIFY(dining->state.on);
        QCOMPARE(app->row(QStringLiteral("Dining table"))->findChild<QLabel *>("level")->text(),
                 QStringLiteral("%1%").arg(dining->state.level));
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());

        // The tile's hidden panel shows the same stored state; an item opens
        // its sheet, which shows it too and switches.
        pullDown(home()->tile(0));
        problems = app->auditAndSave(QStringLiteral("home-lighting-panel"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(panelItem(QStringLiteral("Stairs: ON")));
        QVERIFY(panelItem(QStringLiteral("Dining table: %1%").arg(dining->state.level)));
        QVERIFY(app->touch(panelItem(QStringLiteral("Stairs: ON"))));
        VtHomeControlSheet *sheet = nullptr;
        QTRY_VERIFY((sheet = app->window()->findChild<VtHomeControlSheet *>()));
        QVERIFY(app->settle());
        QCOMPARE(sheet->findChild<QLabel *>(QStringLiteral("title"))->text(),
                 QStringLiteral("Stairs"));
        QVERIFY(app->button(QStringLiteral("ON"))->isChecked());
        QVERIFY(!app->button(QStringLiteral("OFF"))->isChecked());
        problems = app->auditAndSave(QStringLiteral("home-lighting-sheet"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->tap(app->button(QStringLiteral("OFF"))));
        QVERIFY(app->settle());
        const QString stairs = idOf(QStringLiteral("Stairs"));
        QCOMPARE(app->receivedFor(stairs).constLast().section(',', 3, 4), QStringLiteral("4,0"));
        QVERIFY(!app->simulator()->home().channel(stairs)->state.on);
        QTRY_VERIFY(panelItem(QStringLiteral("Stairs: OFF")));

        // A dimmer's sheet shows its level beside the slider.
        QVERIFY(
            app->touch(panelItem(QStringLiteral("Dining table: %1%").arg(dining->state.level))));
        QTRY_VERIFY((sheet = app->window()->findChild<VtHomeControlSheet *>()));
        QCOMPARE(sheet->slider()->value(), dining->state.level);
        QCOMPARE(sheet->findChild<QLabel *>(QStringLiteral("level"))->text(),
                 QStringLiteral("%1%").arg(dining->state.level));
    }

    // Another phone switched the hall off. The list, opened from the home
    // screen, asks the home and shows the hall OFF; the store takes it.
    void aLightSwitchedElsewhereShowsItsRealState()
    {
        const QString hall = idOf(QStringLiteral("Hall"));
        QVERIFY(app->simulator()->home().channel(hall)->state.on);
        // The other phone's command reaches the master as this app's would.
        QVERIFY(app->simulator()->home().answerDatagram(
            QStringLiteral("token$cfg,lig,%1,4,0,0,0\\n").arg(hall).toUtf8(),
            QStringLiteral("20AA10000001")));
        QVERIFY(!app->simulator()->home().channel(hall)->state.on);
        QVERIFY(tapTile(0));
        QVERIFY(app->waitFor<LightingViewController>());
        QCOMPARE(switchShown(QStringLiteral("Hall")), QStringLiteral("OFF"));
        QCOMPARE(Database::instance()->deviceRecordWithMainID(hall)->value(Key::turnOn).toString(),
                 QStringLiteral("NO"));
    }

    // A switch whose controller no longer answers: the list asks the home,
    // which cannot tell, and the row says "Unknown" with neither ON nor OFF.
    void aSilentSwitchShowsItsStateUnknown()
    {
        QVERIFY(
            app->simulator()->home().setChannelResponsive(idOf(QStringLiteral("Porch")), false));
        QVERIFY(tapTile(0));
        QVERIFY(app->waitFor<LightingViewController>());
        const auto unknownShown = [this](const QString &name) {
            return app->row(name)->findChild<QLabel *>(QStringLiteral("unknown"))->text();
        };
        QTRY_COMPARE(unknownShown(QStringLiteral("Porch")), QStringLiteral("Unknown"));
        QCOMPARE(switchShown(QStringLiteral("Porch")), QString());
        QCOMPARE(unknownShown(QStringLiteral("Hall")), QString());
        QCOMPARE(switchShown(QStringLiteral("Hall")), QStringLiteral("ON"));
        const QStringList problems = app->auditAndSave(QStringLiteral("lighting-unknown"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // While its reply is held back, a press shows nowhere as done: not on its
    // row when the rows are rebuilt, not on the home's panel, not on the
    // control sheet opened again. The home's answer then shows everywhere.
    void aPendingPressNeverShowsAsConfirmed()
    {
        if (JourneyApp::currentSize() != JourneyApp::kPhoneSize)
            QSKIP("a held reply is held alike at every size: once, on the phone");
        const QString stairs = idOf(QStringLiteral("Stairs"));
        app->simulator()->faults().add(
            *FaultRule::parse(QStringLiteral("lig:4:%1=delay:1500").arg(stairs), nullptr));
        QVERIFY(tapTile(0));
        QVERIFY(app->waitFor<LightingViewController>());
        QVERIFY(app->tap(app->row(QStringLiteral("Stairs"))->findChild<QPushButton *>("on")));
        // Opening the dimmer rebuilds every row.
        QVERIFY(app->tap(app->row(QStringLiteral("Dining table")), QPoint(100, 30)));
        QCOMPARE(switchShown(QStringLiteral("Stairs")), QStringLiteral("OFF"));
        QVERIFY(app->settle());
        QCOMPARE(switchShown(QStringLiteral("Stairs")), QStringLiteral("ON"));
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());

        pullDown(home()->tile(0));
        QVERIFY(app->touch(panelItem(QStringLiteral("Stairs: ON"))));
        QVERIFY(app->settle()); // the sheet is in
        QVERIFY(app->tap(app->button(QStringLiteral("OFF"))));
        QTRY_VERIFY(!app->button(QStringLiteral("OFF"))); // the sheet is gone
        QVERIFY(panelItem(QStringLiteral("Stairs: ON")));
        QVERIFY(app->touch(panelItem(QStringLiteral("Stairs: ON"))));
        QTRY_VERIFY(app->button(QStringLiteral("ON")));
        QVERIFY(app->button(QStringLiteral("ON"))->isChecked());
        QVERIFY(!app->button(QStringLiteral("OFF"))->isChecked());
        QVERIFY(app->press(Qt::Key_Escape));
        QTRY_VERIFY(panelItem(QStringLiteral("Stairs: OFF")));
        QVERIFY(!app->simulator()->home().channel(stairs)->state.on);
    }

    // A store that cannot be read is never shown as an empty home: the list
    // says so, and reads the home again once the store is back.
    void aStoreThatCannotBeReadIsSaidSo()
    {
        const QString path = Database::databasePath();
        const QStringList files{path, path + "-wal", path + "-shm"};
        Database::instance()->close();
        for (const QString &file : files)
            QFile::rename(file, file + ".aside");
        QVERIFY(QDir().mkpath(path)); // a folder where the file was

        QVERIFY(tapTile(0));
        QVERIFY(app->waitFor<LightingViewController>());
        QTRY_COMPARE(app->lastToast(), QStringLiteral("The home's data cannot be read"));
        const QStringList problems = app->auditAndSave(QStringLiteral("store-unreadable"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->back());

        QVERIFY(QDir().rmdir(path));
        for (const QString &file : files)
            QFile::rename(file + ".aside", file);
        QVERIFY(tapTile(0));
        QVERIFY(app->waitFor<LightingViewController>());
        QTRY_COMPARE(app->rowNames().size(), 5);
    }

    void curtainsFromTheirTileAndTheirPanel()
    {
        QVERIFY(tapTile(1));
        QVERIFY(app->waitFor<CurtainViewController>());
        QCOMPARE(app->rowNames(),
                 (QStringList{QStringLiteral("Bedroom curtain"), QStringLiteral("Study curtain")}));
        QVERIFY(app->tap(app->row(QStringLiteral("Study curtain")), QPoint(100, 30)));
        QVERIFY(app->settle());
        QVERIFY(app->row(QStringLiteral("Study curtain"))->findChild<QWidget *>("separator"));
        const QStringList problems = app->auditAndSave(QStringLiteral("curtain-expanded"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        for (const char *motion : {"Open", "Close", "Stop"}) {
            QVERIFY(app->tap(app->button(QString::fromLatin1(motion))));
            QVERIFY(app->settle());
        }
        QStringList motions; // the controls, after the query of its state
        for (const QString &line : app->receivedFor(QStringLiteral("21310000AB10")))
            if (line.section(',', 3, 3) == QLatin1String("4"))
                motions << line.section(',', 3, 4);
        QCOMPARE(motions, (QStringList{"4,1", "4,0", "4,2"}));
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());

        pullDown(home()->tile(1));
        QVERIFY(app->touch(home()->tile(1)->itemAt(0)));
        QTRY_VERIFY(app->window()->findChild<VtHomeControlSheet *>());
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->button(QStringLiteral("Open"))));
        QVERIFY(app->settle());
        QCOMPARE(app->received().constLast().section(',', 3, 4), QStringLiteral("4,1"));
    }

    // Lights with the keyboard alone: Tab to the Lighting tile and Enter;
    // Tab to the stairs' ON and Space; Esc back home; Down opens the tile's
    // panel, Enter on an item opens its sheet, Esc closes it.
    void lightsByKeyboard()
    {
        HomeFunctionTile *lighting = home()->tile(0);
        QVERIFY(app->focusByTab([lighting](QWidget *widget) { return widget == lighting; }));
        QCOMPARE(lighting->accessibleName(), QStringLiteral("Lighting"));
        QVERIFY(app->press(Qt::Key_Return));
        QVERIFY(app->waitFor<LightingViewController>());
        QVERIFY(app->focusByTab([this](QWidget *widget) {
            return widget->accessibleName() == QStringLiteral("Stairs: ON");
        }));
        QVERIFY(app->press(Qt::Key_Space));
        QVERIFY(app->simulator()->home().channel(idOf(QStringLiteral("Stairs")))->state.on);
        QCOMPARE(switchShown(QStringLiteral("Stairs")), QStringLiteral("ON"));
        // A dimmer row opens with Enter and keeps the focus; its More button dims up.
        QVERIFY(app->focusByTab([this](QWidget *widget) {
            return widget == app->row(QStringLiteral("Dining table"));
        }));
        QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("Dining table"));
        QVERIFY(app->press(Qt::Key_Return));
        QCOMPARE(QApplication::focusWidget(), app->row(QStringLiteral("Dining table")));
        QVERIFY(app->focusByTab(
            [](QWidget *widget) { return widget->objectName() == QStringLiteral("plus"); }));
        QVERIFY(app->press(Qt::Key_Space));
        const SimulatedHome::Channel *dining =
            app->simulator()->home().channel(idOf(QStringLiteral("Dining table")));
        QVERIFY(dining->state.on);
        QCOMPARE(app->row(QStringLiteral("Dining table"))->findChild<QLabel *>("level")->text(),
                 QStringLiteral("%1%").arg(dining->state.level));
        QVERIFY(app->press(Qt::Key_Escape));
        QVERIFY(app->homeOnTop());

        QVERIFY(app->focusByTab([lighting](QWidget *widget) { return widget == lighting; }));
        QVERIFY(app->press(Qt::Key_Down));
        QVERIFY(lighting->isOpen());
        QWidget *item = lighting->itemAt(0);
        QVERIFY(app->focusByTab([item](QWidget *widget) { return widget == item; }));
        QVERIFY(app->press(Qt::Key_Return));
        QTRY_VERIFY(app->window()->findChild<VtHomeControlSheet *>());
        QVERIFY(app->press(Qt::Key_Escape));
        QTRY_VERIFY(!app->window()->findChild<VtHomeControlSheet *>());
    }

    // A dimmer at the foot of a long list opens where it is: the list does
    // not jump, and the row's slider comes into view.
    void theLastRowOpensInPlace()
    {
        app.reset(); // one window at a time: the app has one navigator
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize(), [](SimulatedHome &home) {
            for (int k = 0; k < 12; ++k)
                home.addChannel({QStringLiteral("2122000099%1").arg(k, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("Lamp %1").arg(k + 1, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("20AA10000001"),
                                 {},
                                 true});
        });
        QVERIFY(app->started());
        QVERIFY(app->homeOnTop());
        QVERIFY(tapTile(0));
        auto *lighting = app->waitFor<LightingViewController>();
        QVERIFY(lighting);
        auto *area = lighting->findChild<QAbstractScrollArea *>();
        QVERIFY(area);
        const QString last = app->rowNames().constLast();
        VtMoveCell *row = app->row(last);
        while (row->visibleRegion().boundingRect().height() < row->height()) {
            const int before = area->verticalScrollBar()->value();
            app->fingerDrag(app->row(app->rowNames().constFirst()), {0, -150});
            QVERIFY(app->settle());
            if (area->verticalScrollBar()->value() == before)
                break;
        }
        const int scrolled = area->verticalScrollBar()->value();
        QVERIFY(app->tap(row, QPoint(100, 30)));
        QVERIFY(app->settle());
        auto *slider = app->row(last)->findChild<VtSimpleSlider *>();
        QVERIFY(slider);
        QVERIFY2(area->verticalScrollBar()->value() >= scrolled,
                 qPrintable(QStringLiteral("%1 -> %2 of %3")
                                .arg(scrolled)
                                .arg(area->verticalScrollBar()->value())
                                .arg(area->verticalScrollBar()->maximum())));
        QVERIFY2(!slider->visibleRegion().isEmpty(), "the opened row's slider is out of view");
    }

    // A finger drawn up a long list scrolls it and keeps it going for a
    // moment; it neither presses the row it started on nor opens its panel.
    // A finger drawn sideways over a row opens the row's panel.
    void oneFingerScrollsAndSwipes()
    {
        QVERIFY(app->tap(home()->navBar()->leftButton()));
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->button(QStringLiteral("Device Management"))));
        auto *list = app->waitFor<DeviceListViewController>();
        QVERIFY(list);
        QVERIFY(app->tap(app->button(QStringLiteral("Lighting"))));
        QVERIFY(app->tap(app->button(QStringLiteral("Curtain"))));
        QVERIFY(app->settle());
        auto *area = list->findChild<QAbstractScrollArea *>();
        QVERIFY(area);
        if (area->verticalScrollBar()->maximum() == 0)
            QSKIP("the whole list fits this window");
        VtMoveCell *first = app->row(QStringLiteral("Hall"));
        app->fingerDrag(first, {0, -120});
        // The list follows the finger (less the few pixels that tell a drag
        // from a tap), and goes on a little after the finger leaves.
        const int released = area->verticalScrollBar()->value();
        QVERIFY2(released >= 120 - 2 * TouchPan::kSlop, qPrintable(QString::number(released)));
        QVERIFY(app->settle());
        QVERIFY(area->verticalScrollBar()->value() > released ||
                released == area->verticalScrollBar()->maximum());
        QCOMPARE(app->top(), list); // no row was pressed
        QVERIFY(!first->panel() || first->getIfEditViewShow());

        VtMoveCell *stairs = app->row(QStringLiteral("Stairs"));
        app->fingerSwipeLeft(stairs);
        QVERIFY(app->settle());
        QVERIFY(!stairs->getIfEditViewShow()); // its panel is out
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestJourneyDevices, initUiResources)
#include "tst_journeydevices.moc"
