#include "app/appwindow.h"
#include "core/appdelegate.h"
#include "core/delegatemanager.h"
#include "core/showalertmanager.h"
#include "devices/curtainviewcontroller.h"
#include "devices/devicedetailviewcontroller.h"
#include "devices/devicelistviewcontroller.h"
#include "devices/editnamehcviewcontroller.h"
#include "devices/lightingviewcontroller.h"
#include "enrol/deviceaddviewcontroller.h"
#include "help/aboutusviewcontroller.h"
#include "help/helptopics.h"
#include "help/helpviewcontroller.h"
#include "help/instalguideviewcontroller.h"
#include "help/vtwelcomeview.h"
#include "home/homedetailviewcontroller.h"
#include "home/homefunctiontile.h"
#include "home/homeviewcontroller.h"
#include "home/navigationstack.h"
#include "home/parentviewcontroller.h"
#include "home/vthomecontrolsheet.h"
#include "scenarios/choosecontrolviewcontroller.h"
#include "scenarios/sceneeditnameviewcontroller.h"
#include "scenarios/sceneviewcontroller.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "views/uiresources.h"
#include "views/vtactionsheet.h"
#include "views/vtalertdialog.h"
#include "views/vtpagedscrollview.h"
#include "widgettestmain.h"

#include <QDir>
#include <QFile>
#include <QTranslator>

// Renders the screens into PNG files under build/screenshots, for people to look at.
class TestScreenshots : public QObject {
    Q_OBJECT

    std::unique_ptr<AppWindow> window;

    void save(const QString &name)
    {
        QTest::qWait(50);
        QDir().mkpath(SCREENSHOT_DIR);
        QVERIFY(window->grab().save(QStringLiteral(SCREENSHOT_DIR "/%1.png").arg(name)));
    }

    QTranslator translator;

    static void languages()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QStringLiteral("en");
        QTest::newRow("zh") << QStringLiteral("zh_CN");
    }

    void useLanguage(const QString &language)
    {
        QVERIFY(translator.load(QStringLiteral(QM_DIR "/ardentia_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
        // The screens take their texts as they are made, as in the app.
        window = std::make_unique<AppWindow>();
        window->show();
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(Database::databasePath());
        DelegateManager::instance()->initApplicationNeedData();
        Database::instance()->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.2", true));
        window = std::make_unique<AppWindow>();
        window->show();
    }

    void cleanup()
    {
        ShowAlertManager::instance()->stopActivity();
        ShowAlertManager::instance()->finishedFading();
        window.reset();
        QCoreApplication::removeTranslator(&translator);
    }

    void home() { save("home"); }

    void startUpOverlay()
    {
        window->showFirstInitView();
        QTest::qWait(700);
        save("startup-overlay");
    }

    void toasts()
    {
        ShowAlertManager::instance()->showLabelWithTitle("Control failed",
                                                         "Please check device and network");
        save("toast");
        ShowAlertManager::instance()->showLabelWithTitle(
            QStringLiteral("该无线转发器已经被设置为从"),
            QStringLiteral("无法再配置为主无线转发器,如果有必要请重置,数据会丢失"));
        save("toast-chinese");
    }

    void connecting()
    {
        ShowAlertManager::instance()->startActivity(10);
        save("bar-connecting");
    }

    void importIndicator()
    {
        AppDelegate::instance()->setConnectionType(AppDelegate::kStreamImport);
        ShowAlertManager::instance()->startActivity(12);
        save("window-indicator");
    }

    void banners()
    {
        auto *screen = new ParentViewController(QStringLiteral("Lighting"));
        window->navigationController()->push(screen, false);
        ShowAlertManager::instance()->transmitterConnectionFailed();
        save("banner-failed");
        ShowAlertManager::instance()->transmitterConnectionSuccessful(2);
        save("banner-success");
    }

    void enrolmentScreens()
    {
        window->pushScanner();
        QTest::qWait(1600); // past the intro overlay's first part
        save("scanner");
        QTest::qWait(1300);
        save("scanner-after-intro");
        window->navigationController()->push(
            new HomeDetailViewController(QStringLiteral("ID"),
                                         QStringLiteral("Please input the device ID"), {}),
            false);
        save("manual-id");
        window->pushTransmitterEnrolment("20AA10000002", "Model:ZEVO-20AA\nWireless Transmitter");
        QTest::qWait(400);
        save("transmitter-enrolment");
        window->pushDeviceEnrolment("2123D0004560", 3, "D",
                                    "Model:ZEVO-2123\nLighting Controller\nGroups:3\nWires:2");
        QTest::qWait(400);
        save("device-enrolment");
        static_cast<DeviceAddViewController *>(window->navigationController()->top())
            ->panelAddSucceed(QStringLiteral("1"));
        QTest::qWait(1100);
        save("device-enrolment-retry");
    }

    void deviceScreens()
    {
        Database *store = Database::instance();
        for (const auto &[id, control, name] : {std::tuple{"211300001230", "S", "Hall"},
                                                std::tuple{"212200004560", "D", "Living room"},
                                                std::tuple{"212200004561", "D", "Dining table"},
                                                std::tuple{"213100007890", "C", "Bedroom curtain"}})
            store->insertMainDeviceWithInfo(RecordFactory::device(id, control, id, name));
        NavigationStack *stack = window->navigationController();
        auto *lighting = new LightingViewController();
        stack->push(lighting, false);
        lighting->updateMainView();
        save("lighting");
        QTest::mouseClick(lighting->cellAt(1), Qt::LeftButton, {}, QPoint(100, 30));
        save("lighting-dimmer-expanded");
        lighting->VtMoveCellSelector(lighting->cellAt(2), "L");
        QTest::qWait(300);
        save("lighting-swipe-panel");
        auto *curtains = new CurtainViewController();
        stack->push(curtains, false);
        curtains->updateMainView();
        QTest::mouseClick(curtains->cellAt(0), Qt::LeftButton, {}, QPoint(100, 30));
        save("curtain-expanded");
        auto *list = new DeviceListViewController();
        stack->push(list, false);
        list->updateMainView();
        list->sectionSelected(1);
        save("device-list");
        stack->push(new DeviceDetailViewController(store->readAllSuperBoxInfo().constFirst()),
                    false);
        save("device-detail");
        stack->push(new EditNameViewController("Hall", QStringLiteral("S"), 0), false);
        save("naming");
        auto *picture =
            new EditNameHCViewController("Evening", QStringLiteral("icon_choose_small_3.png"), -1);
        stack->push(picture, false);
        save("naming-with-picture");
        picture->pictureSourceChosen(1);
        save("icon-sheet");
        store->deleteMainDeviceWithMainID("211300001230");
        store->deleteMainDeviceWithMainID("212200004560");
        store->deleteMainDeviceWithMainID("212200004561");
        auto *empty = new LightingViewController();
        stack->push(empty, false);
        empty->updateMainView();
        save("lighting-empty");
    }

    void scenarioScreens()
    {
        Database *store = Database::instance();
        const QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        store->insertMainDeviceWithInfo(hall);
        store->insertMainDeviceWithInfo(
            RecordFactory::device("212200004560", "D", "212200004560", "Living room"));
        QVariantMap evening =
            RecordFactory::userScenario("1", "Evening", "icon_choose_small_4.png", {hall});
        evening.insert(Key::state, Value::yes);
        store->insertScenarioWithInfo(evening);
        NavigationStack *stack = window->navigationController();
        stack->push(new SceneViewController(), false);
        save("scenario-list");
        auto *choose = new ChooseControlViewController();
        stack->push(choose, false);
        choose->tick(0, true);
        save("scenario-select-devices");
        stack->push(new SceneEditNameViewController("Evening", "", {}, evening), false);
        save("scenario-naming");
    }

    void homeScreens_data() { languages(); }

    void homeScreens()
    {
        QFETCH(QString, language);
        useLanguage(language);
        Database *store = Database::instance();
        const QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        store->insertMainDeviceWithInfo(hall);
        store->insertMainDeviceWithInfo(
            RecordFactory::device("212200004560", "D", "212200004560", "Living room"));
        store->insertMainDeviceWithInfo(
            RecordFactory::device("211300001231", "S", "211300001231", "Stairs"));
        store->insertMainDeviceWithInfo(
            RecordFactory::device("213100007890", "C", "213100007890", "Bedroom curtain"));
        QVariantMap evening =
            RecordFactory::userScenario("1", "Evening", "icon_choose_small_4.png", {hall});
        evening.insert(Key::state, Value::yes);
        store->insertScenarioWithInfo(evening);
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("2", "Reading", "icon_choose_small_6.png", {hall}));
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("3", "Guests", "icon_choose_small_2.png", {hall}));
        HomeViewController *home = window->home();
        home->updateCenterView();
        save("home-" + language);
        home->tile(0)->setOpen(true, false);
        save("home-panel-open-" + language);
        home->tile(0)->setOpen(false, false);
        home->showLeftViewNormal(true, false);
        QTest::qWait(350);
        save("home-menu-" + language);
        home->showLeftViewNormal(false, false);
        QTest::qWait(250);
        const QList<std::pair<QString, QVariantMap>> items{{"1", home->lightingArray().at(0)},
                                                           {"1", home->lightingArray().at(1)},
                                                           {"2", home->curtainArray().at(0)},
                                                           {"3", home->scenarioArray().at(0)}};
        for (int k = 0; k < items.size(); ++k) {
            VtHomeControlSheet *sheet = home->darkItemPressed(QString::number(k == 3   ? 3
                                                                              : k == 2 ? 2
                                                                                       : 1),
                                                              1, items.at(k).second);
            QTest::qWait(250);
            save(QStringLiteral("home-sheet-%1-%2").arg(sheet->controlType(), language));
            sheet->deleteLater();
            QTest::qWait(20);
        }
    }

    void helpScreens_data() { languages(); }

    void helpScreens()
    {
        QFETCH(QString, language);
        useLanguage(language);
        window->showWelcomePages();
        VtWelcomeView *welcome = window->welcomeView();
        QTest::qWait(1100);
        for (int page = 0; page < VtWelcomeView::kPageCount; ++page) {
            welcome->pages()->scrollToPage(page, false);
            save(QStringLiteral("welcome-%1-%2").arg(page + 1).arg(language));
        }
        welcome->hide();
        NavigationStack *stack = window->navigationController();
        auto *help = new HelpViewController();
        stack->push(help, false);
        save("help-" + language);
        for (int row = 0; row < HelpTopics::RowCount; ++row) {
            help->cellButtonPressed(row);
            QTest::qWait(50);
            if (row == HelpTopics::InstallationGuide) {
                auto *guide = static_cast<InstalGuideViewController *>(stack->top());
                for (int page = 0; page < 2; ++page) {
                    guide->pages()->scrollToPage(page, false);
                    save(QStringLiteral("guide-%1-%2").arg(page + 1).arg(language));
                }
            } else {
                save(QStringLiteral("help-topic-%1-%2").arg(row).arg(language));
            }
            stack->popScreen(false);
        }
        stack->push(new AboutUSViewController(), false);
        save("about-" + language);
    }

    void sheetAndAlert()
    {
        (new VtActionSheet({"Clean All"}, 111, window.get()))->showSheet();
        save("action-sheet");
        window->alertDialog()->showAlert(
            QStringLiteral("控制器无应答,可能已损坏或被移除,请确认是否强制删除"),
            {QStringLiteral("强制删除"), QStringLiteral("取消")}, [](int) {});
        save("alert");
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestScreenshots, initUiResources)
#include "tst_screenshots.moc"
