// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/photoviewfinder.h"
#include "fedframes.h"
#include "frame/navigationbar.h"
#include "help/aboutusviewcontroller.h"
#include "help/helpviewcontroller.h"
#include "home/homescenariostrip.h"
#include "home/homeviewcontroller.h"
#include "journeyapp.h"
#include "scenarios/choosecontrolviewcontroller.h"
#include "scenarios/sceneeditnameviewcontroller.h"
#include "scenarios/sceneeditviewcontroller.h"
#include "scenarios/sceneviewcontroller.h"
#include "views/uiresources.h"
#include "views/vtlightingimageview.h"
#include "views/vtmovecell.h"
#include "views/vtpagecontrol.h"
#include "widgettestmain.h"

#include <QApplication>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

// Scenarios as a person builds, runs, edits and removes them, from the
// home strip and from the Scenario screen; the menu's help and about.
class TestJourneyScenarios : public QObject {
    Q_OBJECT

    std::unique_ptr<JourneyApp> app;

    HomeViewController *home() const { return app->home(); }

    QStringList membersOf(int number) const
    {
        QStringList members;
        if (const SimulatedHome::Scenario *scenario = app->simulator()->home().scenario(number))
            for (const SimulatedHome::Member &member : scenario->members)
                members << member.channelId;
        return members;
    }

    // Ticks the named rows of Select Devices (or its edit) and goes on.
    void tickAndGoOn(const QStringList &names)
    {
        for (const QString &name : names) {
            VtMoveCell *row = app->row(name);
            QVERIFY2(row, qPrintable(name));
            QVERIFY(app->tap(row->findChild<QPushButton *>(QStringLiteral("tick"))));
            QVERIFY(app->settle());
        }
        auto *choose = app->topAs<ChooseControlViewController>();
        QVERIFY(choose);
        const QStringList problems = app->audit();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->tap(choose->nextButton()));
    }

    void nameTheScenario(const QString &name)
    {
        auto *naming = app->waitFor<SceneEditNameViewController>();
        QVERIFY(naming);
        app->type(naming->nameField(), name);
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
    }

    // Select Devices from the "+" of the Scenario screen, reached from its tile.
    void openSelectDevices(SceneViewController *&list, ChooseControlViewController *&choose)
    {
        QVERIFY(app->tap(home()->tile(2), QPoint(150, 40)));
        list = app->waitFor<SceneViewController>();
        QVERIFY(list);
        QVERIFY(app->tap(list->navBar()->rightButton()));
        choose = app->waitFor<ChooseControlViewController>();
    }

    // The screens a new scenario passes, reached by toNamingWithTheHall.
    struct Path {
        SceneViewController *list = nullptr;
        ChooseControlViewController *choose = nullptr;
        SceneEditNameViewController *naming = nullptr;
    };
    // From the Scenario screen's "+", with the hall ticked, to the naming.
    void toNamingWithTheHall(Path &path)
    {
        openSelectDevices(path.list, path.choose);
        QVERIFY(path.list && path.choose);
        tickAndGoOn({QStringLiteral("Hall")});
        path.naming = app->waitFor<SceneEditNameViewController>();
    }

    // The picture's sheet, then "Take Photo": the viewfinder, or null.
    PhotoViewfinder *openViewfinder(SceneEditNameViewController *naming)
    {
        if (!app->tap(naming->pictureView()) || !app->settle() ||
            !app->tap(app->button(QStringLiteral("Take Photo"))) || !app->settle())
            return nullptr;
        return app->window()->findChild<PhotoViewfinder *>();
    }

    static QColor centreOf(const QPixmap &picture)
    {
        const QImage image = picture.toImage();
        return image.pixelColor(image.rect().center());
    }

private Q_SLOTS:
    JOURNEY_SIZES

    void init()
    {
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize());
        QVERIFY(app->started());
        QVERIFY(app->homeOnTop());
    }

    void cleanup() { app.reset(); }

    void aScenarioAddedFromTheStripRunsFromIt()
    {
        HomeScenarioStrip *strip = home()->strip();
        const int entries = strip->entryCount();
        // "Add Scenario" is the strip's last entry, on its last page.
        while (app->button(QStringLiteral("Add Scenario"))->visibleRegion().isEmpty()) {
            QVERIFY(app->tap(strip->pageControl(), QPoint(strip->pageControl()->width() - 5, 5)));
            QVERIFY(app->settle());
        }
        QVERIFY(app->tap(app->button(QStringLiteral("Add Scenario"))));
        QVERIFY(app->waitFor<ChooseControlViewController>());
        tickAndGoOn({QStringLiteral("Hall"), QStringLiteral("Bedroom curtain")});
        nameTheScenario(QStringLiteral("Night"));
        QVERIFY(app->homeOnTop());
        QCOMPARE(app->stack()->screens().size(), 1);
        QCOMPARE(strip->entryCount(), entries + 1);
        QCOMPARE(app->simulator()->home().scenario(3)->name, QStringLiteral("Night"));
        QCOMPARE(membersOf(3), (QStringList{"211300001230", "213100007890"}));

        // It runs with one touch from the strip.
        QAbstractButton *night = app->button(QStringLiteral("Night"));
        QVERIFY(night);
        while (night->visibleRegion().isEmpty()) {
            QVERIFY(app->tap(strip->pageControl(), QPoint(strip->pageControl()->width() - 5, 5)));
            QVERIFY(app->settle());
        }
        QVERIFY(app->tap(night));
        QVERIFY(app->settle());
        QCOMPARE(app->received().constLast(), QStringLiteral("cfg,scenario,3,1"));
    }

    void aScenarioLifeOnTheScenarioScreen()
    {
        QVERIFY(app->tap(home()->tile(2), home()->tile(2)->rect().topLeft() + QPoint(150, 40)));
        auto *list = app->waitFor<SceneViewController>();
        QVERIFY(list);
        QStringList problems = app->auditAndSave(QStringLiteral("scenarios"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // Added with the bar's button: back on this screen with the new row.
        QVERIFY(app->tap(list->navBar()->rightButton()));
        QVERIFY(app->waitFor<ChooseControlViewController>());
        // Rows are rebuilt on every change: each is looked up by its name again.
        QVERIFY(app->tap(app->row(QStringLiteral("Hall"))->findChild<QPushButton *>("tick")));
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->row(QStringLiteral("Hall"))->findChild<QPushButton *>("switch")));
        QVERIFY(app->settle());
        tickAndGoOn({QStringLiteral("Living room")});
        nameTheScenario(QStringLiteral("Reading"));
        QTRY_COMPARE(app->top(), list);
        QVERIFY(app->settle());
        QTRY_VERIFY(app->row(QStringLiteral("Reading")));
        QCOMPARE(membersOf(3), (QStringList{"211300001230", "212200004560"}));

        // A touch runs it and marks it.
        QVERIFY(app->tap(app->row(QStringLiteral("Reading")), QPoint(150, 30)));
        QVERIFY(app->settle());
        QTRY_VERIFY(app->row(QStringLiteral("Reading"))->findChild<QWidget *>("tick"));

        // Edited from its swipe panel: the living room leaves it.
        app->swipeLeft(app->row(QStringLiteral("Reading")));
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->row(QStringLiteral("Reading"))->editButton()));
        QVERIFY(app->waitFor<SceneEditViewController>());
        tickAndGoOn({QStringLiteral("Living room")}); // unticks it
        auto *renaming = app->waitFor<SceneEditNameViewController>();
        QVERIFY(renaming);
        QTest::keyClick(renaming->nameField(), Qt::Key_Return);
        QTRY_COMPARE(app->top(), list);
        QVERIFY(app->settle());
        QCOMPARE(membersOf(3), QStringList{"211300001230"});

        // Removed from its swipe panel.
        app->swipeLeft(app->row(QStringLiteral("Reading")));
        QVERIFY(app->settle());
        QVERIFY(app->tap(app->row(QStringLiteral("Reading"))->deleteButton()));
        QTRY_VERIFY(!app->row(QStringLiteral("Reading")));
        QVERIFY(membersOf(3).isEmpty());
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());
    }

    // With 13 devices every row of Select Devices can be brought above the
    // bottom bar and ticked, and the ticked devices' icons never cover Next.
    void thirteenDevicesCanAllBeTicked()
    {
        app.reset(); // one window at a time: the app has one navigator
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize(), [](SimulatedHome &home) {
            for (int k = 0; k < 6; ++k)
                home.addChannel({QStringLiteral("2111000099%1").arg(k, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("Lamp %1").arg(k + 1),
                                 QStringLiteral("20AA10000001"),
                                 {},
                                 true});
        });
        QVERIFY(app->started());
        QVERIFY(app->homeOnTop());
        SceneViewController *list = nullptr;
        ChooseControlViewController *choose = nullptr;
        openSelectDevices(list, choose);
        QVERIFY(list && choose);
        const QStringList names = app->rowNames();
        QCOMPARE(names.size(), 13);
        for (const QString &name : names) {
            QVERIFY(app->tap(app->row(name)->findChild<QPushButton *>(QStringLiteral("tick"))));
            QVERIFY(app->settle());
        }
        QCOMPARE(choose->nextButton()->text(), QStringLiteral("Next(13)"));
        const QStringList problems = app->auditAndSave(QStringLiteral("select-13-devices"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->tap(choose->nextButton()));
        QVERIFY(app->waitFor<SceneEditNameViewController>());
    }

    // "Take Photo" on the naming screen shows the camera's live picture with
    // Take and Cancel: Take keeps the frame on show, a failing camera says
    // why, Esc cancels, and the camera is stopped however the picture closes.
    void aScenarioPictureFromTheCamera()
    {
        FeedProbe camera;
        camera.install();
        const auto restore = qScopeGuard([] { FeedProbe::uninstall(); });
        Path path;
        toNamingWithTheHall(path);
        QVERIFY(path.naming);
        SceneViewController *list = path.list;
        SceneEditNameViewController *naming = path.naming;

        PhotoViewfinder *viewfinder = openViewfinder(naming);
        QVERIFY(viewfinder);
        QVERIFY(camera.running);
        QVERIFY(!viewfinder->takeButton()->isEnabled()); // nothing to take yet
        QImage frame(640, 480, QImage::Format_RGB32);
        frame.fill(Qt::red);
        camera.show(frame);
        QVERIFY(viewfinder->takeButton()->isEnabled());
        const QStringList problems = app->auditAndSave(QStringLiteral("take-photo"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->tap(viewfinder->takeButton()));
        QTRY_VERIFY(!app->window()->findChild<PhotoViewfinder *>());
        QVERIFY(!camera.running);
        QCOMPARE(centreOf(naming->pictureView()->picture()), QColor(Qt::red));

        viewfinder = openViewfinder(naming);
        QVERIFY(viewfinder);
        Q_EMIT camera.feed->failed(QStringLiteral("device busy"));
        QVERIFY2(viewfinder->status().contains(QStringLiteral("device busy")),
                 qPrintable(viewfinder->status()));
        QVERIFY(!viewfinder->takeButton()->isEnabled());
        QVERIFY(!camera.running);
        QVERIFY(app->tap(viewfinder->cancelButton()));
        QTRY_VERIFY(!app->window()->findChild<PhotoViewfinder *>());

        viewfinder = openViewfinder(naming);
        QVERIFY(viewfinder);
        frame.fill(Qt::blue);
        camera.show(frame);
        QTest::keyClick(viewfinder, Qt::Key_Escape);
        QTRY_VERIFY(!app->window()->findChild<PhotoViewfinder *>());
        QVERIFY(!camera.running);
        QCOMPARE(centreOf(naming->pictureView()->picture()), QColor(Qt::red));

        FrameFeed::setMaker([] { return std::unique_ptr<FrameFeed>(); }); // no camera at all
        QVERIFY(!openViewfinder(naming));
        QCOMPARE(app->lastToast(), QStringLiteral("No camera found"));

        app->type(naming->nameField(), QStringLiteral("Snapshot"));
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
        QTRY_COMPARE(app->top(), list);
        QTRY_VERIFY(app->row(QStringLiteral("Snapshot")));
    }

    // Esc closes the topmost sheet, then goes back one screen at a time,
    // then closes the home's menu.
    void escapeClosesSheetsAndGoesBack()
    {
        const auto escape = [this] {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : app->window(),
                            Qt::Key_Escape);
            return app->settle();
        };
        Path path;
        toNamingWithTheHall(path);
        QVERIFY(path.naming);
        SceneViewController *list = path.list;
        ChooseControlViewController *choose = path.choose;
        SceneEditNameViewController *naming = path.naming;
        QVERIFY(app->tap(naming->pictureView()));
        QVERIFY(app->settle());
        QVERIFY(app->button(QStringLiteral("Take Photo")));
        QVERIFY(escape());
        QVERIFY(!app->button(QStringLiteral("Take Photo")));
        QCOMPARE(app->top(), naming);
        QVERIFY(escape());
        QTRY_COMPARE(app->top(), choose);
        QVERIFY(escape());
        QTRY_COMPARE(app->top(), list);
        QVERIFY(escape());
        QVERIFY(app->homeOnTop());
        QVERIFY(app->tap(home()->navBar()->leftButton()));
        QVERIFY(app->settle());
        QVERIFY(home()->ifShowLeftView());
        QVERIFY(escape());
        QVERIFY(!home()->ifShowLeftView());
    }

    // A whole scenario built with the keyboard alone: Tab to a control,
    // Space or Enter on it, typing into the name field.
    void aScenarioBuiltWithTheKeyboardOnly()
    {
        const auto named = [](const QString &name) {
            return [name](QWidget *widget) {
                auto *button = qobject_cast<QAbstractButton *>(widget);
                return button && (button->text() == name || button->accessibleName() == name);
            };
        };
        QVERIFY(app->focusByTab(named(QStringLiteral("Add Scenario"))));
        QVERIFY(app->press(Qt::Key_Space));
        auto *choose = app->waitFor<ChooseControlViewController>();
        QVERIFY(choose);
        QVERIFY(app->focusByTab(named(QStringLiteral("Include Hall"))));
        QVERIFY(app->press(Qt::Key_Space));
        QVERIFY(
            app->focusByTab([choose](QWidget *widget) { return widget == choose->nextButton(); }));
        QCOMPARE(choose->nextButton()->text(), QStringLiteral("Next(1)"));
        QVERIFY(app->press(Qt::Key_Return));
        auto *naming = app->waitFor<SceneEditNameViewController>();
        QVERIFY(naming);
        QVERIFY(
            app->focusByTab([naming](QWidget *widget) { return widget == naming->nameField(); }));
        QTest::keyClicks(naming->nameField(), QStringLiteral("Typed"));
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
        QVERIFY(app->homeOnTop());
        QCOMPARE(app->simulator()->home().scenario(3)->name, QStringLiteral("Typed"));
        QCOMPARE(membersOf(3), QStringList{"211300001230"});

        // And it runs from the strip by keyboard: the strip turns to its page.
        QVERIFY(app->focusByTab(named(QStringLiteral("Typed"))));
        QVERIFY(!QApplication::focusWidget()->visibleRegion().isEmpty());
        QVERIFY(app->press(Qt::Key_Return));
        QCOMPARE(app->received().constLast(), QStringLiteral("cfg,scenario,3,1"));
    }

    void helpAndAboutFromTheMenu()
    {
        QVERIFY(app->openMenuRow(QStringLiteral("Help")));
        QVERIFY(app->waitFor<HelpViewController>());
        QStringList problems = app->auditAndSave(QStringLiteral("help"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());
        QVERIFY(app->openMenuRow(QStringLiteral("About")));
        auto *about = app->waitFor<AboutUSViewController>();
        QVERIFY(about);
        QCOMPARE(about->findChild<QLabel *>("version")->text(),
                 QStringLiteral("App Version:" ARDENTIA_VERSION));
        QCOMPARE(about->findChild<QLabel *>("support")->text(),
                 QStringLiteral("Technical Support:") + AboutUSViewController::kSupportNumber);
        QVERIFY(!about->findChild<QLabel *>("logo")->pixmap().isNull());
        problems = app->auditAndSave(QStringLiteral("about"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestJourneyScenarios, initUiResources)
#include "tst_journeyscenarios.moc"
