// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "control/delegatemanager.h"
#include "core/helptopics.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "freshprogram.h"
#include "help/aboutusviewcontroller.h"
#include "help/helpdetailotherviewcontroller.h"
#include "help/helpviewcontroller.h"
#include "help/instalguideviewcontroller.h"
#include "help/vtwelcomeview.h"
#include "home/homemenuview.h"
#include "home/homeviewcontroller.h"
#include "store/database.h"
#include "views/illustrations.h"
#include "views/keyboardmodality.h"
#include "views/uiresources.h"
#include "views/vtpagecontrol.h"
#include "views/vtpagedscrollview.h"
#include "widgettestmain.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

// The welcome pages of a first start, the help list with its topics, the
// installation guide and the about screen.
class TestHelpScreens : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    std::unique_ptr<AppWindow> window;

    NavigationStack *stack() const { return window->navigationController(); }

    // The first start: the logo runs, the store is made, the pages fade in.
    void firstStart()
    {
        QFile::remove(DelegateManager::markerPath());
        QFile::remove(DelegateManager::welcomeMarkerPath());
        window->showFirstInitView();
        QTRY_VERIFY_WITH_TIMEOUT(window->welcomeView() && !window->overlay(), 4000);
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        window = std::make_unique<AppWindow>(program->services());
        window->show();
    }

    void cleanup()
    {
        window.reset();
        program.reset();
    }

    void welcomePicturesFollowTheScreen_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("picture");
        QTest::newRow("640 x 1136, first") << QSize(320, 568) << 1 << "welcome_D5_1";
        QTest::newRow("640 x 1136, last") << QSize(320, 568) << 7 << "welcome_D5_7";
        QTest::newRow("640 x 960") << QSize(320, 480) << 3 << "welcome_D4_3";
        QTest::newRow("a tablet") << QSize(768, 1024) << 7 << "welcome_D4_7";
    }

    void welcomePicturesFollowTheScreen()
    {
        QFETCH(QSize, window);
        QFETCH(int, page);
        QFETCH(QString, picture);
        QCOMPARE(VtWelcomeView::pictureName(window, page), picture);
        QVERIFY(Illustrations::has(picture));
    }

    void everyNamedPictureIsDrawn()
    {
        QStringList missing;
        for (int row = 0; row < HelpTopics::InstallationGuide; ++row) {
            const HelpTopic topic = HelpTopics::topic(row);
            for (int step = 1; step <= topic.needArray.size(); ++step)
                if (!Illustrations::has(topic.stepPictureName(step)))
                    missing << topic.stepPictureName(step);
        }
        for (const char *name :
             {"guide_D_1", "guide_D_2", "MainIcon320b.png", "company_Logo_Red.png", "init_help"})
            if (!Illustrations::has(QString::fromLatin1(name)))
                missing << QString::fromLatin1(name);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        QCOMPARE(HelpTopics::topic(HelpTopics::AddDevice).stepPictureName(2),
                 QStringLiteral("addDevice_2"));
    }

    void theFirstStartShowsTheWelcomePagesOnce()
    {
        firstStart();
        VtWelcomeView *welcome = window->welcomeView();
        QCOMPARE(welcome->pages()->pageCount(), VtWelcomeView::kPageCount);
        QCOMPARE(welcome->pageControl()->numberOfPages(), VtWelcomeView::kPageCount);
        QCOMPARE(welcome->pages()->page(0)->findChild<QLabel *>("title")->text(),
                 AboutUSViewController::kDisplayName);
        QVERIFY(welcome->pages()->page(6)->findChild<QLabel *>("reminder"));
        QVERIFY(QFile::exists(DelegateManager::markerPath()));

        // A swipe resting past half a page settles on the next one.
        const int width = welcome->pages()->pageSize().width();
        welcome->pages()->horizontalScrollBar()->setValue(width + width / 2);
        welcome->pages()->settle();
        QCOMPARE(welcome->pageControl()->currentPage(), 2);
        // Touching the control's right half goes one page on.
        QTest::mouseClick(welcome->pageControl(), Qt::LeftButton, {},
                          QPoint(welcome->pageControl()->width() - 5, 8));
        QCOMPARE(welcome->pages()->currentPage(), 3);

        const int refreshes = window->home()->refreshCount();
        welcome->startButton()->click();
        QVERIFY(window->home()->refreshCount() > refreshes);
        QTRY_VERIFY_WITH_TIMEOUT(!window->welcomeView(), 2000);
        // The focus the pages leave behind draws no ring until a key is pressed.
        QWidget *focused = window->focusWidget();
        QVERIFY(!KeyboardModality::showsFocusRing(focused));
        QTest::keyClick(window.get(), Qt::Key_Tab);
        QVERIFY(KeyboardModality::showsFocusRing(window->focusWidget()));
        QTest::mouseClick(window->home(), Qt::LeftButton, {}, QPoint(5, 300));
        QVERIFY(!KeyboardModality::isActive());

        // A later start: the logo fades, no pages.
        window->showFirstInitView();
        QTRY_VERIFY_WITH_TIMEOUT(!window->overlay(), 4000);
        QVERIFY(!window->welcomeView());
    }

    void theHelpButtonOpensTheHelpAboveTheHome()
    {
        firstStart();
        window->welcomeView()->helpButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->welcomeView(), 2000);
        QVERIFY(dynamic_cast<HelpViewController *>(stack()->top()));
        static_cast<HelpViewController *>(stack()->top())->navBar()->leftButton()->click();
        QTRY_COMPARE(stack()->top(), static_cast<QWidget *>(window->home()));
    }

    void helpRowsOpenTheirTopics_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("otherLayout");
        QTest::addColumn<bool>("header");
        QTest::newRow("adding devices") << 0 << false << true;
        QTest::newRow("deleting a device") << 1 << true << true;
        QTest::newRow("creating a scenario") << 2 << false << false;
        QTest::newRow("editing a scenario") << 3 << false << false;
    }

    void helpRowsOpenTheirTopics()
    {
        QFETCH(int, row);
        QFETCH(bool, otherLayout);
        QFETCH(bool, header);
        auto *help = new HelpViewController();
        stack()->push(help, false);
        QCOMPARE(help->rowCount(), HelpTopics::RowCount);
        help->row(row)->click();
        auto *detail = dynamic_cast<HelpDetailViewController *>(stack()->top());
        QVERIFY(detail);
        QCOMPARE(dynamic_cast<HelpDetailOtherViewController *>(detail) != nullptr, otherLayout);
        QCOMPARE(detail->navTitle(), HelpTopics::rowTitles().at(row));
        QCOMPARE(detail->sectionHeader() != nullptr, header);
        QCOMPARE(detail->rowCount(), 3);
        for (int step = 0; step < detail->rowCount(); ++step) {
            const auto *picture = detail->rowAt(step)->findChild<QLabel *>("picture");
            QVERIFY(!picture->pixmap().isNull());
        }
        if (!otherLayout) {
            // Text and picture 15/16 of the width, the picture half as high.
            const QRect picture = detail->rowAt(0)->findChild<QLabel *>("picture")->geometry();
            QCOMPARE(picture.width(), window->width() * 15 / 16);
            QCOMPARE(picture.height(), picture.width() / 2);
        }
    }

    void theGuideHasTwoPagesWithTheirPictures()
    {
        auto *help = new HelpViewController();
        stack()->push(help, false);
        help->row(HelpTopics::InstallationGuide)->click();
        auto *guide = dynamic_cast<InstalGuideViewController *>(stack()->top());
        QVERIFY(guide);
        QCOMPARE(guide->pages()->pageCount(), 2);
        for (int page = 0; page < 2; ++page) {
            QWidget *shown = guide->pages()->page(page);
            QCOMPARE(shown->findChild<QLabel *>("text")->text(),
                     InstalGuideViewController::pageTexts().at(page));
            // On a 640 x 1136 screen the picture takes the page's whole width.
            QCOMPARE(shown->findChild<QLabel *>("picture")->width(), window->width());
        }
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestHelpScreens, initUiResources)
#include "tst_helpscreens.moc"
