// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/keyboardactivation.h"
#include "views/uiresources.h"
#include "views/vtmovecell.h"
#include "views/vtpagecontrol.h"
#include "views/vtsimpleslider.h"
#include "widgettestmain.h"

#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>

namespace {
class Recorder final : public VtMoveCellTarget, public VtSimpleSliderTarget {
public:
    void VtMoveCellTableIfCanMoved(const QString &state) override { scrolling << state; }
    void VtMoveCellSelector(QWidget *, const QString &type) override { codes << type; }
    void VtSimpleSliderViewTouched(VtSimpleSlider *slider) override
    {
        sent << (slider ? QString::number(slider->value()) : QStringLiteral("nil"));
    }
    QStringList scrolling, codes, sent;
};

void drag(QWidget *widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, (from + to) / 2);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}
} // namespace

class TestSwipeWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void classifiesGestures_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("scrolling");
        QTest::newRow("swipe left")
            << QPoint(250, 30) << QPoint(190, 30) << QStringList{"L"} << QStringList{"0", "1"};
        QTest::newRow("swipe right")
            << QPoint(100, 30) << QPoint(160, 35) << QStringList{"R"} << QStringList{"0", "1"};
        QTest::newRow("exactly 50 is no swipe")
            << QPoint(200, 30) << QPoint(150, 30) << QStringList{} << QStringList{"0", "1"};
        QTest::newRow("small move is a press")
            << QPoint(100, 30) << QPoint(130, 40) << QStringList{"P"} << QStringList{"0", "1"};
        QTest::newRow("vertical move: nothing")
            << QPoint(100, 5) << QPoint(110, 58) << QStringList{} << QStringList{"0", "1"};
        QTest::newRow("long diagonal: swipe only")
            << QPoint(250, 5) << QPoint(180, 58) << QStringList{"L"} << QStringList{"0", "1"};
    }
    void classifiesGestures()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QStringList, codes);
        QFETCH(QStringList, scrolling);
        Recorder recorder;
        VtMoveCell cell;
        cell.resize(320, 61);
        cell.viewTouched(&recorder);
        drag(&cell, from, to);
        QCOMPARE(recorder.codes, codes);
        QCOMPARE(recorder.scrolling, scrolling);
    }

    void aTapIsAPress()
    {
        Recorder recorder;
        VtMoveCell cell;
        cell.resize(320, 61);
        cell.viewTouched(&recorder);
        QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(recorder.codes, QStringList{"P"});
        QCOMPARE(recorder.scrolling, QStringList{"1"}); // no movement: scrolling never stopped
    }

    void swipeOutPanel()
    {
        Recorder recorder;
        VtMoveCell cell;
        cell.resize(320, 61);
        cell.viewTouched(&recorder);
        cell.show();
        QVERIFY(cell.getIfEditViewShow());
        QVERIFY(cell.showOutSettingViewWithCellHeight(61, VtMoveCell::Toggle));
        QVERIFY(!cell.getIfEditViewShow());
        QTRY_COMPARE(cell.panel()->pos(), QPoint(320 - 130, 0));
        QCOMPARE(cell.panel()->size(), QSize(130, 61));
        // Button centres 32.5 and 97.5 points from the panel's left (to half a pixel).
        QVERIFY(qAbs(cell.editButton()->x() + 30 - 32.5) <= 0.5);
        QVERIFY(qAbs(cell.deleteButton()->x() + 30 - 97.5) <= 0.5);

        QTest::mouseClick(cell.deleteButton(), Qt::LeftButton);
        QTest::mouseClick(cell.editButton(), Qt::LeftButton);
        QCOMPARE(recorder.codes, (QStringList{"D", "E"}));

        QVERIFY(!cell.showOutSettingViewWithCellHeight(61, VtMoveCell::Close));
        QVERIFY(cell.getIfEditViewShow());
        QTRY_VERIFY(!cell.panel()->isVisible());
        QVERIFY(cell.showOutSettingViewWithCellHeight(61, VtMoveCell::ShowNow));
        QVERIFY(cell.showOutSettingViewWithCellHeight(61, VtMoveCell::ShowNow)); // always YES
        QCOMPARE(cell.panel()->pos(), QPoint(190, 0));
        QVERIFY(!cell.showOutSettingViewWithCellHeight(61, VtMoveCell::HideNow));
        QVERIFY(!cell.panel()->isVisible());
    }

    void sliderSendsOneValueADrag()
    {
        Recorder recorder;
        VtSimpleSlider slider;
        slider.resize(300, 61);
        slider.setTarget(&recorder);
        slider.setValue(20);
        drag(&slider, QPoint(150, 30), QPoint(250, 30)); // 100 points: +300/500*100 = +60
        QCOMPARE(recorder.sent, (QStringList{"nil", "80"}));
        QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(150, 30)); // no movement
        QCOMPARE(recorder.sent.size(), 2);
        drag(&slider, QPoint(250, 30), QPoint(0, 30));
        QCOMPARE(recorder.sent.constLast(), QStringLiteral("0")); // clamped
    }

    void sliderButtonsStepByTen_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<QString>("sent");
        QTest::newRow("plus at 95") << 95.0 << true << "100";
        QTest::newRow("minus at 5") << 5.0 << false << "0";
        QTest::newRow("plus at 40") << 40.0 << true << "50";
    }
    void sliderButtonsStepByTen()
    {
        QFETCH(double, start);
        QFETCH(bool, plus);
        QFETCH(QString, sent);
        Recorder recorder;
        VtSimpleSlider slider;
        slider.resize(300, 61);
        slider.setTarget(&recorder);
        slider.setValue(start);
        QTest::mouseClick(plus ? slider.plusButton() : slider.minusButton(), Qt::LeftButton);
        QCOMPARE(recorder.sent, QStringList{sent});
    }

    // What a screen reader hears of a row and can do with it: its role, its
    // press and its swipe panel as actions, open or closed.
    void aRowIsAListItemWithItsActions()
    {
        Recorder recorder;
        VtMoveCell cell;
        cell.setAccessibleName(QStringLiteral("Hall")); // named first, as the screens do
        cell.viewTouched(&recorder);
        QAccessibleInterface *row = QAccessible::queryAccessibleInterface(&cell);
        QCOMPARE(row->role(), QAccessible::ListItem);
        QCOMPARE(row->text(QAccessible::Name), QStringLiteral("Hall"));
        QVERIFY(row->state().focusable);
        QVERIFY(!row->state().expandable);
        QAccessibleActionInterface *actions = row->actionInterface();
        QVERIFY(actions);
        actions->doAction(QAccessibleActionInterface::pressAction());
        actions->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_COMPARE(recorder.codes, (QStringList{"P", "L"}));
        QTest::keyClick(&cell, Qt::Key_Right); // the panel from the keyboard
        QTRY_COMPARE(recorder.codes.constLast(), QStringLiteral("L"));
        KeyboardActivation::setExpanded(&cell, true);
        QVERIFY(row->state().expandable);
        QVERIFY(row->state().expanded);
        // Where the screen opens no panel, none is offered.
        cell.setPanelOffered(false);
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
        QTest::keyClick(&cell, Qt::Key_Right);
        QCoreApplication::processEvents(); // a menu would run on this turn
        QCOMPARE(recorder.codes.size(), 3);
    }

    void aSliderSpeaksItsLevel()
    {
        Recorder recorder;
        VtSimpleSlider slider;
        slider.setTarget(&recorder);
        slider.setValue(60);
        QAccessibleInterface *level = QAccessible::queryAccessibleInterface(&slider);
        QCOMPARE(level->role(), QAccessible::Slider);
        QCOMPARE(level->text(QAccessible::Value), QStringLiteral("60%"));
        QAccessibleValueInterface *value = level->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
        value->setCurrentValue(30); // as a drag to 30 would: moved and sent
        QCOMPARE(recorder.sent, QStringList{"30"});
        QCOMPARE(value->currentValue().toDouble(), 30.0);
    }

    void pageDotsTurnByKeyAndSayWhichPage()
    {
        VtPageControl dots;
        dots.setNumberOfPages(3);
        QSignalSpy chosen(&dots, &VtPageControl::pageChosen);
        QTest::keyClick(&dots, Qt::Key_Right);
        QTest::keyClick(&dots, Qt::Key_Right);
        QTest::keyClick(&dots, Qt::Key_Right); // no page beyond the last
        QCOMPARE(chosen.size(), 2);
        QAccessibleInterface *pages = QAccessible::queryAccessibleInterface(&dots);
        QCOMPARE(pages->role(), QAccessible::Slider);
        QCOMPARE(pages->text(QAccessible::Value), QStringLiteral("3 of 3"));
        pages->valueInterface()->setCurrentValue(1);
        QCOMPARE(chosen.constLast().constFirst().toInt(), 0);
        dots.setNumberOfPages(1);
        QCOMPARE(dots.focusPolicy(), Qt::NoFocus); // nothing to turn
    }

    void sliderValueFollowsItsRange()
    {
        VtSimpleSlider slider;
        slider.setRange(0, 100);
        slider.setValue(150);
        QCOMPARE(slider.value(), 100.0);
        slider.setRange(10, 20);
        slider.setValue(15);
        QCOMPARE(slider.position(), 50.0);
        QCOMPARE(slider.value(), 15.0);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestSwipeWidgets, initUiResources)
#include "tst_swipewidgets.moc"
