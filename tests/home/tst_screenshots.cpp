#include "app/appwindow.h"
#include "core/appdelegate.h"
#include "core/delegatemanager.h"
#include "core/showalertmanager.h"
#include "enrol/deviceaddviewcontroller.h"
#include "help/vtwelcomeview.h"
#include "home/homedetailviewcontroller.h"
#include "home/navigationstack.h"
#include "home/parentviewcontroller.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "views/uiresources.h"
#include "views/vtactionsheet.h"
#include "views/vtalertdialog.h"
#include "views/vtpagedscrollview.h"
#include "widgettestmain.h"

#include <QAbstractAnimation>
#include <QDir>
#include <QFile>
#include <QTranslator>

// Renders the states a journey does not stop at (the start-up overlay,
// toasts, banners, the welcome pages, the alert) into PNG files under
// build/screenshots, for people to look at. The screens themselves are
// pictured by the journeys, at three sizes and in both languages.
class TestScreenshots : public QObject {
    Q_OBJECT

    std::unique_ptr<AppWindow> window;

    // Waits until nothing in the window moves any more.
    void settle()
    {
        QVERIFY(QTest::qWaitFor([this] {
            const QList<QAbstractAnimation *> running =
                window->findChildren<QAbstractAnimation *>();
            return std::none_of(running.cbegin(), running.cend(), [](QAbstractAnimation *a) {
                return a->state() == QAbstractAnimation::Running;
            });
        }));
    }

    // Waits for the named widget of the window to be shown (or gone).
    void waitForShown(const char *name, bool shown)
    {
        QVERIFY(QTest::qWaitFor(
            [&] {
                auto *widget = window->findChild<QWidget *>(QString::fromLatin1(name));
                return (widget && widget->isVisible()) == shown;
            },
            5000));
    }

    void save(const QString &name)
    {
        QCoreApplication::processEvents(); // widgets shown just now are laid out
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
        // Half of the logo's circle drawn.
        QVERIFY(QTest::qWaitFor([this] { return window->overlay()->circle()->angle() >= 180; }));
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
        waitForShown("caption", true); // the intro, over the scanner
        save("scanner");
        waitForShown("scanIntro", false);
        save("scanner-after-intro");
        window->navigationController()->push(
            new HomeDetailViewController(QStringLiteral("ID"),
                                         QStringLiteral("Please input the device ID"), {}),
            false);
        save("manual-id");
        window->pushTransmitterEnrolment("20AA10000002", "Model:ZEVO-20AA\nWireless Transmitter");
        settle();
        save("transmitter-enrolment");
        window->pushDeviceEnrolment("2123D0004560", 3, "D",
                                    "Model:ZEVO-2123\nLighting Controller\nGroups:3\nWires:2");
        settle();
        save("device-enrolment");
        static_cast<DeviceAddViewController *>(window->navigationController()->top())
            ->panelAddSucceed(QStringLiteral("1"));
        settle();
        save("device-enrolment-retry");
    }

    void welcomePages_data() { languages(); }

    void welcomePages()
    {
        QFETCH(QString, language);
        useLanguage(language);
        window->showWelcomePages();
        VtWelcomeView *welcome = window->welcomeView();
        settle(); // faded in
        for (int page = 0; page < VtWelcomeView::kPageCount; ++page) {
            welcome->pages()->scrollToPage(page, false);
            save(QStringLiteral("welcome-%1-%2").arg(page + 1).arg(language));
        }
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
