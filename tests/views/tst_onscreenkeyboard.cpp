// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/editnameviewcontroller.h"
#include "enrol/deviceaddviewcontroller.h"
#include "enrol/homedetailviewcontroller.h"
#include "frame/navigationbar.h"
#include "simulatedwindow.h"
#include "views/keyboardavoidance.h"
#include "views/onscreenkeyboard.h"
#include "views/uiresources.h"
#include "views/vtpagedscrollview.h"
#include "widgettestmain.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

// Screens with text fields on a phone, with an on-screen keyboard played
// over the bottom of the window.
class TestOnScreenKeyboard : public QObject {
    Q_OBJECT

    static constexpr QSize kPhone{320, 568};
    std::unique_ptr<SimulatedWindow> app;

    QRect showKeyboard(int height) const
    {
        const QRect area(0, kPhone.height() - height, kPhone.width(), height);
        OnScreenKeyboard::instance()->setStandIn(area);
        return area;
    }
    static void hideKeyboard() { OnScreenKeyboard::instance()->setStandIn(QRect()); }

    QRect inWindow(const QWidget *widget) const
    {
        return {widget->mapTo(app->window(), QPoint(0, 0)), widget->size()};
    }

    // The field of a freshly opened screen, with the focus.
    QLineEdit *openWithField(const QString &screen)
    {
        QLineEdit *field = nullptr;
        if (screen == QLatin1String("naming")) {
            field = app->open(new EditNameViewController(QStringLiteral("Hall"), std::nullopt, 0))
                        ->nameField();
        } else if (screen == QLatin1String("manual ID")) {
            field = app->open(new HomeDetailViewController(QStringLiteral("ID"),
                                                           QStringLiteral("ID?"), {}))
                        ->field();
        } else {
            app->window()->pushDeviceEnrolment(QStringLiteral("2123D0004560"), 3,
                                               QStringLiteral("D"), QStringLiteral("summary"));
            field = app->topAs<DeviceAddViewController>()->nameField(1);
        }
        QApplication::setActiveWindow(app->window());
        field->setFocus();
        return field;
    }

    // A mouse drag across the channel pages, right to left, from a point of
    // a page beside its field.
    static void dragAcross(VtPagedScrollView *pages)
    {
        const QPoint start(pages->width() - 10, 5);
        QTest::mousePress(pages->viewport(), Qt::LeftButton, {}, start);
        for (int step = 1; step <= 8; ++step)
            QTest::mouseMove(pages->viewport(), start - QPoint(step * 25, 0));
        QTest::mouseRelease(pages->viewport(), Qt::LeftButton, {}, start - QPoint(200, 0));
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<SimulatedWindow>();
        QVERIFY(app->openWindow(kPhone));
    }

    void cleanup() { app.reset(); }

    // The focused field ends above the keyboard, the bar stays where it is
    // and over what passes under it, and everything goes back when the
    // keyboard hides. A keyboard clear of the field moves nothing.
    void theFieldStaysAboveTheKeyboard_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("keyboardHeight");
        QTest::addColumn<bool>("moves");
        QTest::newRow("naming, keyboard below the field") << "naming" << 260 << false;
        QTest::newRow("naming, a tall keyboard") << "naming" << 400 << true;
        QTest::newRow("manual ID, keyboard below the field") << "manual ID" << 300 << false;
        QTest::newRow("manual ID, a tall keyboard") << "manual ID" << 460 << true;
        QTest::newRow("device enrolment, a phone's keyboard") << "device enrolment" << 260 << true;
    }
    void theFieldStaysAboveTheKeyboard()
    {
        QFETCH(QString, screen);
        QFETCH(int, keyboardHeight);
        QFETCH(bool, moves);
        QLineEdit *field = openWithField(screen);
        QTRY_VERIFY(field->hasFocus());
        const QRect before = inWindow(field);

        const QRect keyboard = showKeyboard(keyboardHeight);
        QVERIFY2(inWindow(field).bottom() < keyboard.top(),
                 qPrintable(QStringLiteral("field at %1, keyboard from %2")
                                .arg(inWindow(field).bottom())
                                .arg(keyboard.top())));
        QCOMPARE(inWindow(field) != before, moves);
        auto *bar = dynamic_cast<ParentNavigationViewController *>(app->top())->navBar();
        QCOMPARE(inWindow(bar).top(), 0);
        QWidget *onBar = app->window()->childAt(inWindow(bar).center());
        QVERIFY(onBar == bar || bar->isAncestorOf(onBar));

        hideKeyboard();
        QCOMPARE(inWindow(field), before);
    }

    // Typing a channel's name with the keyboard up: the channel pages sit
    // just above it and do not swipe; once it hides they swipe again.
    void theChannelPagesHoldStillWhileTyping()
    {
        QLineEdit *field = openWithField(QStringLiteral("device enrolment"));
        auto *screen = app->topAs<DeviceAddViewController>();
        auto *pages = screen->findChild<VtPagedScrollView *>(QStringLiteral("channelPages"));
        auto *indicator = screen->findChild<QLabel *>(QStringLiteral("pageIndicator"));
        QTRY_VERIFY(field->hasFocus());
        const QRect pagesBefore = inWindow(pages);

        const QRect keyboard = showKeyboard(260);
        QCOMPARE(inWindow(indicator).bottom() + 1 + KeyboardAvoidance::kGap, keyboard.top());
        const QRect pagesUp = inWindow(pages);
        QTest::keyClicks(field, QStringLiteral("Kitchen"));
        dragAcross(pages);
        QCOMPARE(field->text(), QStringLiteral("Kitchen"));
        QCOMPARE(inWindow(pages), pagesUp);
        QCOMPARE(pages->horizontalScrollBar()->value(), 0);
        QCOMPARE(screen->currentPage(), 0);

        hideKeyboard();
        QCOMPARE(inWindow(pages), pagesBefore);
        dragAcross(pages);
        QTRY_COMPARE(screen->currentPage(), 1);
    }

    // Moving the focus off the fields leaves the screen where the keyboard
    // put it; a screen no longer shown follows no keyboard.
    void aHiddenScreenDropsItsLift()
    {
        QLineEdit *field = openWithField(QStringLiteral("naming"));
        QTRY_VERIFY(field->hasFocus());
        const QRect before = inWindow(field);
        showKeyboard(400);
        const QRect up = inWindow(field);
        QVERIFY(up.top() < before.top());
        field->clearFocus();
        QCOMPARE(inWindow(field), up);
        app->top()->hide();
        QCOMPARE(inWindow(field), before);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestOnScreenKeyboard, initUiResources)
#include "tst_onscreenkeyboard.moc"
