// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/lightingviewcontroller.h"
#include "enrol/codeimage.h"
#include "enrol/deviceaddviewcontroller.h"
#include "enrol/scancamera.h"
#include "enrol/vtscanviewcontroller.h"
#include "fedframes.h"
#include "frame/navigationbar.h"
#include "home/homefunctiontile.h"
#include "home/homeviewcontroller.h"
#include "journeyapp.h"
#include "views/onscreenkeyboard.h"
#include "views/uiresources.h"
#include "views/vtpagedscrollview.h"
#include "widgettestmain.h"

#include <QLabel>
#include <QLineEdit>

// A controller enrolled as a person does it: the scan button of the home
// screen, its code held to the camera, its channels named page by page with
// a finger, and its lights on the Lighting screen afterwards.
class TestJourneyEnrolment : public QObject {
    Q_OBJECT

    std::unique_ptr<JourneyApp> app;
    FeedProbe camera;

    HomeViewController *home() const { return app->home(); }

    // Holds the code to the camera until the condition holds; false when
    // it does not within the time.
    bool holdCode(const QString &text, const std::function<bool()> &until, int timeoutMs = 5000)
    {
        const QImage code = CodeImage::qrCode(text);
        return QTest::qWaitFor(
            [&] {
                camera.show(code);
                return until();
            },
            timeoutMs);
    }

    bool scannerLeft() const { return app->topAs<VtScanViewController>() == nullptr; }

    // Holds the code to the camera until the scanner has read it.
    bool showCode(const QString &text)
    {
        return holdCode(text, [this] { return scannerLeft(); });
    }

    // A sideways finger swipe over the channel pages, from a point of them.
    int swipePages(VtPagedScrollView *pages, int pagesToTheRight, QPoint from)
    {
        app->fingerDrag(pages, {-pagesToTheRight * pages->width() * 2 / 3, 0}, from);
        (void)app->settle();
        return pages->currentPage();
    }

    // Plays a phone's on-screen keyboard over the lower part of the window,
    // drawn there for the picture; touches pass through the drawing.
    QRect showKeyboard()
    {
        const QSize size = app->window()->size();
        const int top = size.height() * 55 / 100;
        const QRect area(0, top, size.width(), size.height() - top);
        m_keys = std::make_unique<QLabel>(QStringLiteral("keyboard"), app->window());
        m_keys->setAlignment(Qt::AlignCenter);
        m_keys->setStyleSheet(QStringLiteral("background: #c8c8c8; color: #606060;"));
        m_keys->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_keys->setGeometry(area);
        m_keys->show();
        m_keys->raise();
        OnScreenKeyboard::instance()->setStandIn(area);
        return area;
    }
    void hideKeyboard()
    {
        m_keys.reset();
        OnScreenKeyboard::instance()->setStandIn(QRect());
    }

    std::unique_ptr<QLabel> m_keys;

private Q_SLOTS:
    JOURNEY_SIZES

    void init()
    {
        camera.install();
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize());
        QVERIFY(app->started());
        QVERIFY(app->homeOnTop());
    }

    void cleanup()
    {
        m_keys.reset();
        app.reset();
        FeedProbe::uninstall();
    }

    void aScannedControllerIsNamedChannelByChannel()
    {
        QVERIFY(app->tap(home()->navBar()->rightButton()));
        QVERIFY(app->waitFor<VtScanViewController>());
        QVERIFY(camera.running);
        QVERIFY(showCode(QStringLiteral("2123D0004560")));
        QVERIFY(!camera.running); // the camera stops once the code is read

        auto *enrolment = app->waitFor<DeviceAddViewController>();
        QVERIFY(enrolment);
        auto *pages = enrolment->findChild<VtPagedScrollView *>(QStringLiteral("channelPages"));
        auto *indicator = enrolment->findChild<QLabel *>(QStringLiteral("pageIndicator"));
        QVERIFY(pages && indicator);
        QCOMPARE(pages->pageCount(), 3);
        QStringList problems = app->auditAndSave(QStringLiteral("enrolment"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // Each page names one channel; a swipe from the page or from its
        // field brings the next, and one back returns.
        const QStringList names{"Kitchen", "Pantry", "Terrace"};
        QVERIFY(app->tap(enrolment->nameField(1)));
        app->type(enrolment->nameField(1), names.at(0));
        QCOMPARE(swipePages(pages, 1, QPoint(pages->width() / 2, 5)), 1);
        QCOMPARE(indicator->text(), QStringLiteral("2 / 3"));
        QVERIFY(app->tap(enrolment->nameField(2)));
        app->type(enrolment->nameField(2), names.at(1));
        const QPoint onField = enrolment->nameField(2)->mapTo(pages, QPoint(20, 10));
        QCOMPARE(swipePages(pages, 1, onField), 2);
        QVERIFY(app->tap(enrolment->nameField(3)));
        app->type(enrolment->nameField(3), names.at(2));
        QCOMPARE(swipePages(pages, -1, QPoint(pages->width() / 2, 5)), 1);
        QCOMPARE(indicator->text(), QStringLiteral("2 / 3"));

        QVERIFY(app->tap(app->button(QStringLiteral("Connect"))));
        QTRY_VERIFY(app->button(QStringLiteral("Done")));
        QVERIFY(app->settle());
        for (int k = 0; k < names.size(); ++k) {
            const QStringList sent = app->receivedFor(QStringLiteral("2123D000456%1").arg(k));
            QVERIFY2(!sent.filter(QStringLiteral(",15,") + names.at(k)).isEmpty(),
                     qPrintable(sent.join('\n')));
        }
        QVERIFY(app->tap(app->button(QStringLiteral("Done"))));
        QTRY_COMPARE(app->top(), home());
        QVERIFY(app->settle());

        HomeFunctionTile *lighting = home()->tile(0);
        QVERIFY(app->tap(lighting, lighting->hint()->geometry().center()));
        QVERIFY(app->waitFor<LightingViewController>());
        for (const QString &name : names)
            QVERIFY2(app->row(name), qPrintable(name));
    }

    // With a phone's keyboard up, the channel being named sits just above
    // it and the pages hold still; once it hides they swipe again.
    void theChannelNamesStayAboveTheKeyboard()
    {
        QVERIFY(app->tap(home()->navBar()->rightButton()));
        QVERIFY(app->waitFor<VtScanViewController>());
        QVERIFY(showCode(QStringLiteral("2123D0004560")));
        auto *enrolment = app->waitFor<DeviceAddViewController>();
        QVERIFY(enrolment);
        auto *pages = enrolment->findChild<VtPagedScrollView *>(QStringLiteral("channelPages"));
        QVERIFY(app->tap(enrolment->nameField(1)));

        const QRect keyboard = showKeyboard();
        QVERIFY(app->settle());
        QLineEdit *field = enrolment->nameField(1);
        QVERIFY(field->mapTo(app->window(), QPoint(0, field->height())).y() <= keyboard.top());
        QVERIFY(pages->mapTo(app->window(), QPoint(0, pages->height())).y() <= keyboard.top());
        app->type(field, QStringLiteral("Kitchen"));
        const QStringList problems = app->auditAndSave(QStringLiteral("enrolment-keyboard"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(swipePages(pages, 1, QPoint(pages->width() / 2, 5)), 0);

        hideKeyboard();
        QVERIFY(app->settle());
        QCOMPARE(swipePages(pages, 1, QPoint(pages->width() / 2, 5)), 1);
    }

    // A code that is not a unit's is refused and the scanner goes on.
    void aForeignCodeIsRefused()
    {
        QVERIFY(app->tap(home()->navBar()->rightButton()));
        auto *scanner = app->waitFor<VtScanViewController>();
        QVERIFY(scanner);
        const QString foreign = QStringLiteral("https://example.org");
        QVERIFY(holdCode(foreign,
                         [this] { return app->lastToast() == QStringLiteral("Invalid BarCode"); }));
        // Held on for several readings more, it is refused at each.
        QVERIFY(!holdCode(
            foreign, [this] { return scannerLeft(); },
            5 * ScanCamera::kDecodeIntervalMilliseconds));
        QCOMPARE(app->lastToast(), QStringLiteral("Invalid BarCode"));
        QCOMPARE(app->topAs<VtScanViewController>(), scanner);
        QVERIFY(camera.running);
        QVERIFY(app->back());
        QTRY_VERIFY(!camera.running);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestJourneyEnrolment, initUiResources)
#include "tst_journeyenrolment.moc"
