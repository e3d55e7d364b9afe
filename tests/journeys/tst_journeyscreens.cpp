// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/curtainviewcontroller.h"
#include "devices/devicedetailviewcontroller.h"
#include "devices/devicelistviewcontroller.h"
#include "devices/lightingviewcontroller.h"
#include "frame/navigationbar.h"
#include "help/aboutusviewcontroller.h"
#include "help/helpviewcontroller.h"
#include "help/instalguideviewcontroller.h"
#include "home/homefunctiontile.h"
#include "home/homeviewcontroller.h"
#include "home/vthomecontrolsheet.h"
#include "journeyapp.h"
#include "scenarios/choosecontrolviewcontroller.h"
#include "scenarios/sceneeditnameviewcontroller.h"
#include "scenarios/sceneviewcontroller.h"
#include "views/uiresources.h"
#include "views/vtlightingimageview.h"
#include "views/vtmovecell.h"
#include "views/vtpagedscrollview.h"
#include "widgettestmain.h"

#include <QPushButton>
#include <QTranslator>

// Every screen reached from the home screen, in each language at each
// window size: the rows of the store are on show, nothing lies under
// another control or a bar, and a picture of each is kept for people to
// look at (build/screenshots/journeys/WxH/NAME-LANGUAGE.png).
class TestJourneyScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<JourneyApp> app;
    QTranslator translator;
    QString language;

    HomeViewController *home() const { return app->home(); }

    static QString text(const char *context, const char *source)
    {
        return QCoreApplication::translate(context, source);
    }

    void look(const QString &name, const QStringList &rows = {})
    {
        QVERIFY(app->settle());
        for (const QString &row : rows)
            QVERIFY2(app->row(row), qPrintable(name + ": no row " + row));
        const QStringList problems = app->auditAndSave(name + QLatin1Char('-') + language);
        QVERIFY2(problems.isEmpty(), qPrintable(name + ":\n" + problems.join('\n')));
        const QStringList unnamed = app->unnamedControls();
        QVERIFY2(unnamed.isEmpty(), qPrintable(name + ":\n" + unnamed.join(QLatin1Char('\n'))));
        const QStringList tabbing = app->tabRound();
        QVERIFY2(tabbing.isEmpty(), qPrintable(name + ":\n" + tabbing.join(QLatin1Char('\n'))));
    }

    // Back to the home screen, and its menu closed with a tap on the main
    // panel beside it, as a person does.
    void backHome()
    {
        while (app->top() != home())
            QVERIFY(app->back() && app->settle());
        if (home()->ifShowLeftView()) {
            QWidget *window = app->window();
            const QPoint beside(window->width() - 5, window->height() / 2);
            QWidget *panel = window->childAt(beside);
            QVERIFY(panel);
            QTest::mouseClick(panel, Qt::LeftButton, {}, panel->mapFrom(window, beside));
            QVERIFY(app->settle());
            QVERIFY(!home()->ifShowLeftView());
        }
    }

    void openMenuRow(const char *row) { QVERIFY(app->openMenuRow(text("HomeMenuView", row))); }

    void tapTile(int index)
    {
        HomeFunctionTile *tile = home()->tile(index);
        QVERIFY(app->tap(tile, tile->hint()->geometry().center()));
    }

private Q_SLOTS:
    JOURNEY_SIZES

    void init()
    {
        QFETCH(QString, language);
        this->language = language;
        QVERIFY(translator.load(QStringLiteral(QM_DIR "/ardentia_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
        // The screens take their texts as they are made, as in the app.
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize());
        QVERIFY(app->started());
        QVERIFY(QTest::qWaitFor([this] { return app->top() == home(); }));
    }

    void cleanup()
    {
        app.reset();
        QCoreApplication::removeTranslator(&translator);
    }

    void everyScreen_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QStringLiteral("en");
        QTest::newRow("zh") << QStringLiteral("zh_CN");
    }

    void everyScreen()
    {
        const QStringList lights{"Hall", "Stairs", "Porch", "Living room", "Dining table"};
        const QStringList curtains{"Bedroom curtain", "Study curtain"};
        look(QStringLiteral("home"));
        QVERIFY(app->tap(home()->navBar()->leftButton()));
        look(QStringLiteral("home-menu"));
        QVERIFY(app->tap(app->button(text("HomeMenuView", "Device Management"))));
        QVERIFY(app->waitFor<DeviceListViewController>());
        QVERIFY(app->tap(app->button(text("DeviceListViewController", "Lighting"))));
        QVERIFY(app->tap(app->button(text("DeviceListViewController", "Curtain"))));
        look(QStringLiteral("device-list"), lights + curtains);
        QVERIFY(app->tap(app->row(QStringLiteral("Hall")), QPoint(100, 30)));
        QVERIFY(app->waitFor<DeviceDetailViewController>());
        look(QStringLiteral("device-detail"));
        QVERIFY(app->back());
        QVERIFY(app->waitFor<DeviceListViewController>());
        app->swipeLeft(app->row(QStringLiteral("Stairs")));
        look(QStringLiteral("device-list-swipe-panel"));
        QVERIFY(app->tap(app->row(QStringLiteral("Stairs"))->editButton()));
        look(QStringLiteral("naming"));
        backHome();

        tapTile(0);
        QVERIFY(app->waitFor<LightingViewController>());
        look(QStringLiteral("lighting"), lights);
        QVERIFY(app->tap(app->row(QStringLiteral("Dining table")), QPoint(100, 30)));
        look(QStringLiteral("lighting-expanded"));
        backHome();
        tapTile(1);
        QVERIFY(app->waitFor<CurtainViewController>());
        QVERIFY(app->tap(app->row(QStringLiteral("Study curtain")), QPoint(100, 30)));
        look(QStringLiteral("curtain-expanded"), curtains);
        backHome();

        app->fingerDrag(home()->tile(0), {0, 60});
        QTRY_VERIFY(home()->tile(0)->isOpen());
        look(QStringLiteral("home-lighting-panel"));
        QVERIFY(app->touch(home()->tile(0)->itemAt(1)));
        QTRY_VERIFY(app->window()->findChild<VtHomeControlSheet *>());
        look(QStringLiteral("home-lighting-sheet"));
        QVERIFY(app->tap(app->button(text("VtHomeControlSheet", "Cancel"))));
        QTRY_VERIFY(!app->window()->findChild<VtHomeControlSheet *>());

        QVERIFY(app->tap(home()->tile(2), QPoint(150, 40)));
        auto *list = app->waitFor<SceneViewController>();
        QVERIFY(list);
        look(QStringLiteral("scenarios"));
        QVERIFY(app->tap(list->navBar()->rightButton()));
        auto *choose = app->waitFor<ChooseControlViewController>();
        QVERIFY(choose);
        QVERIFY(
            app->tap(app->row(QStringLiteral("Living room"))->findChild<QPushButton *>("tick")));
        look(QStringLiteral("select-devices"), lights + curtains);
        QVERIFY(app->tap(choose->nextButton()));
        auto *naming = app->waitFor<SceneEditNameViewController>();
        QVERIFY(naming);
        look(QStringLiteral("scenario-naming"));
        QVERIFY(app->tap(naming->pictureView()));
        look(QStringLiteral("picture-sources"));
        QVERIFY(app->tap(app->button(text("EditNameHCViewController", "Choose Icon"))));
        look(QStringLiteral("icon-sheet"));
        QVERIFY(app->tap(app->button(text("VtImageLibSheet", "Cancel"))));
        backHome();

        openMenuRow("Help");
        auto *help = app->waitFor<HelpViewController>();
        QVERIFY(help);
        look(QStringLiteral("help"));
        for (int row = 0; row < help->rowCount(); ++row) {
            QVERIFY(app->tap(help->row(row)));
            QVERIFY(app->settle());
            if (auto *guide = app->topAs<InstalGuideViewController>()) {
                for (int page = 0; page < guide->pages()->pageCount(); ++page) {
                    guide->pages()->scrollToPage(page, false);
                    look(QStringLiteral("guide-%1").arg(page + 1));
                }
            } else {
                look(QStringLiteral("help-topic-%1").arg(row + 1));
            }
            QVERIFY(app->back());
            QVERIFY(app->waitFor<HelpViewController>());
        }
        backHome();
        openMenuRow("About");
        QVERIFY(app->waitFor<AboutUSViewController>());
        look(QStringLiteral("about"));
        backHome();
        openMenuRow("Clean All");
        look(QStringLiteral("clean-all-confirmation"));
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestJourneyScreens, initUiResources)
#include "tst_journeyscreens.moc"
