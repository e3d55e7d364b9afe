// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "faultrule.h"
#include "frame/navigationstack.h"
#include "home/homescenariostrip.h"
#include "home/homeviewcontroller.h"
#include "loopbacksimulator.h"
#include "scenarios/choosecontrolviewcontroller.h"
#include "scenarios/sceneeditnameviewcontroller.h"
#include "scenarios/sceneeditviewcontroller.h"
#include "scenarios/sceneviewcontroller.h"
#include "simulatedwindow.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"
#include "views/uiresources.h"
#include "views/widgetfeedbackpresenter.h"
#include "widgettestmain.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kHall = QStringLiteral("211300001230");
const QString kLiving = QStringLiteral("212200004560");
const QString kBedroom = QStringLiteral("213100007890");

QStringList membersOf(const QVariantMap &scenario)
{
    QStringList members;
    for (const QVariant &m : RecordFactory::sceneDevices(scenario))
        members << m.toMap().value(Key::id).toString() + "=" +
                       m.toMap().value(Key::turnOn).toString();
    return members;
}
} // namespace

class TestScenarioScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatedWindow> app;

    NavigationStack *stack() const { return app->stack(); }
    const HomeServices &home() const { return app->program().services(); }
    template <typename T> T *top() const { return app->topAs<T>(); }

    int rowOf(ChooseControlViewController *screen, const QString &id)
    {
        for (int row = 0; row < screen->customArray().size(); ++row)
            if (screen->customArray().at(row).value(Key::id) == id)
                return row;
        return -1;
    }

    void settle() { QVERIFY(SimulatedWindow::channelSettled()); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<SimulatedWindow>();
        QVERIFY(app->startSimulator());
        Database *store = Database::instance();
        storeDemoMaster();
        store->insertMainDeviceWithInfo(RecordFactory::device(kHall, "S", kHall, "Hall"));
        store->insertMainDeviceWithInfo(
            RecordFactory::device(kLiving, "D", kLiving, "Living room"));
        store->insertMainDeviceWithInfo(
            RecordFactory::device(kBedroom, "C", kBedroom, "Bedroom curtain"));
        QVERIFY(app->openWindow());
    }

    void cleanup()
    {
        settle();
        app.reset();
    }

    void newScenarioTakesTheSmallestFreeNumber()
    {
        const QVariantMap member = RecordFactory::device(kHall, "S", kHall, "Hall");
        for (const char *n : {"1", "2", "4"})
            Database::instance()->insertScenarioWithInfo(
                RecordFactory::userScenario(n, n, "", {member}));
        auto *choose = new ChooseControlViewController(home());
        stack()->push(choose, false);
        choose->tick(rowOf(choose, kHall), true);
        settle();
        QCOMPARE(choose->getEditScenarioArray().constLast().value(Key::mainID).toString(),
                 QStringLiteral("3"));
        QCOMPARE(choose->nextButton()->text(), QStringLiteral("Next(1)"));
    }

    void nextWithNothingTickedSaysSoAndTheSwitchSaysItsChoice()
    {
        auto *choose = new ChooseControlViewController(home());
        stack()->push(choose, false);
        QTest::mouseClick(choose->nextButton(), Qt::LeftButton);
        QCOMPARE(app->lastToast(), QStringLiteral("Please select device"));
        QCOMPARE(stack()->top(), static_cast<ParentPresentViewController *>(choose));

        QPushButton *toggle =
            choose->cellAt(rowOf(choose, kHall))->findChild<QPushButton *>("switch");
        QCOMPARE(toggle->text(), QStringLiteral("OFF"));
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggle->text(), QStringLiteral("ON")); // not the label it was built with
        settle();
    }

    void aRefusedControlPutsItsOwnRowBack()
    {
        app->simulator()->faults().add(*FaultRule::parse("curtain:4:*=code:1", nullptr));
        auto *choose = new ChooseControlViewController(home());
        stack()->push(choose, false);
        choose->tick(rowOf(choose, kHall), true);
        settle();
        // The curtain is chosen after the hall: its refusal must not touch the hall.
        choose->VtSwitchViewTouched(rowOf(choose, kBedroom), true);
        choose->VtSwitchViewTouched(rowOf(choose, kHall), true);
        settle();
        QCOMPARE(choose->customArray().at(rowOf(choose, kHall)).value(Key::turnOn).toString(),
                 QStringLiteral("YES"));
        QCOMPARE(choose->customArray().at(rowOf(choose, kBedroom)).value(Key::turnOn).toString(),
                 QStringLiteral("NO"));
    }

    void aScenarioFromCreationToDeletion()
    {
        auto *list = new SceneViewController(home());
        stack()->push(list, false);
        QCOMPARE(list->needArray().size(), 2);

        // Choose three devices, driving each to the state it is to have.
        auto *choose = new ChooseControlViewController(home());
        stack()->push(choose, false);
        for (const QString &id : {kHall, kLiving, kBedroom}) {
            choose->tick(rowOf(choose, id), true);
            settle();
        }
        choose->VtSwitchViewTouched(rowOf(choose, kHall), true);
        settle();
        QTest::mouseClick(choose->cellAt(rowOf(choose, kLiving)), Qt::LeftButton, {},
                          QPoint(150, 30));
        auto *slider =
            choose->cellAt(rowOf(choose, kLiving))->findChild<VtSimpleSlider *>("slider");
        QVERIFY(slider);
        slider->setValue(30);
        slider->plusButton()->click(); // 40
        settle();
        QCOMPARE(choose->nextButton()->text(), QStringLiteral("Next(3)"));
        const QList<QVariantMap> queue = choose->getEditScenarioArray();
        QCOMPARE(queue.size(), 4); // three memberships and the closing naming entry
        QTest::mouseClick(choose->nextButton(), Qt::LeftButton);

        auto *naming = top<SceneEditNameViewController>();
        QVERIFY(naming);
        QTest::keyClicks(naming->nameField(), "Evening");
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
        QTRY_COMPARE(stack()->top(), static_cast<QWidget *>(list)); // back on the naming reply
        settle();
        const auto stored = Database::instance()->scenarioRecordWithMainID("1");
        QVERIFY(stored);
        QCOMPARE(stored->value(Key::title).toString(), QStringLiteral("Evening"));
        QCOMPARE(membersOf(*stored),
                 (QStringList{kHall + "=YES", kLiving + "=40", kBedroom + "=NO"}));
        QCOMPARE(app->simulator()->home().scenario(1)->name, QStringLiteral("Evening"));
        QCOMPARE(app->simulator()->home().scenario(1)->members.size(), 3);
        QVERIFY(QFile::exists(stored->value(Key::imagePath).toString()));

        // It runs from the list: marked, and the devices take its states.
        list->reloadCustomTableData(true);
        const int row = int(list->needArray().size()) - 1;
        QTest::mouseClick(list->cellAt(row), Qt::LeftButton, {}, QPoint(150, 30));
        QVERIFY(list->cellAt(row)->findChild<QWidget *>("tick"));
        settle();
        QCOMPARE(app->simulator()->home().channel(kLiving)->state.level, 40);

        // Edited: the dimmer changes, the curtain leaves; only those are sent.
        auto *edit = new SceneEditViewController(home(), list->needArray().at(row));
        stack()->push(edit, false);
        QCOMPARE(edit->selectedEntries().size(), 3);
        edit->tick(rowOf(edit, kBedroom), false);
        QTest::mouseClick(edit->cellAt(rowOf(edit, kLiving)), Qt::LeftButton, {}, QPoint(150, 30));
        auto *editSlider =
            edit->cellAt(rowOf(edit, kLiving))->findChild<VtSimpleSlider *>("slider");
        editSlider->setValue(60);
        editSlider->plusButton()->click(); // 70
        settle();
        const QList<QVariantMap> edits = edit->getEditScenarioArray();
        QStringList sent;
        for (const QVariantMap &entry : edits)
            sent << entry.value(Key::sendArray).toStringList().mid(2, 2).join(',');
        QCOMPARE(sent,
                 (QStringList{kLiving + ",13", kBedroom + ",14", ""})); // then the closing entry
        // Unticking everything would empty the scenario: the edit stays.
        const QStringList kept = edit->selectedEntries();
        for (const QString &entry : kept)
            edit->tick(entry.section('_', 1).toInt(), false);
        edit->nextButtonPress();
        QCOMPARE(app->lastToast(), QStringLiteral("Please select device"));
        QCOMPARE(stack()->top(), static_cast<ParentPresentViewController *>(edit));
        for (const QString &entry : kept)
            edit->tick(entry.section('_', 1).toInt(), true);
        settle();
        QCOMPARE(edit->getEditScenarioArray().size(), edits.size());
        edit->nextButtonPress();
        auto *renaming = top<SceneEditNameViewController>();
        renaming->confirm();
        QTRY_COMPARE(stack()->top(), static_cast<QWidget *>(list));
        settle();
        QCOMPARE(membersOf(*Database::instance()->scenarioRecordWithMainID("1")),
                 (QStringList{kHall + "=YES", kLiving + "=70"}));
        QCOMPARE(app->simulator()->home().scenario(1)->members.size(), 2);

        // Renamed from the list: stored once the transmitter took the name.
        list->editFinishWithName("Late evening", row, QByteArray());
        settle();
        QCOMPARE(app->simulator()->home().scenario(1)->name, QStringLiteral("Late evening"));
        QCOMPARE(Database::instance()->scenarioRecordWithMainID("1")->value(Key::title).toString(),
                 QStringLiteral("Late evening"));

        // Deleted by its swipe panel.
        list->reloadCustomTableData(true);
        list->VtMoveCellSelector(list->cellAt(row), "L");
        list->VtMoveCellSelector(list->cellAt(row), "D");
        QTRY_COMPARE(app->lastToast(), QStringLiteral("Delete scenario successful"));
        settle();
        QVERIFY(!Database::instance()->scenarioRecordWithMainID("1"));
        QVERIFY(app->simulator()->home().scenario(1)->members.isEmpty());
    }

    // A name the master refuses is not stored, given in the edit or on the
    // list: the next synchronisation would bring the old one back otherwise.
    void aRefusedScenarioNameKeepsTheOldOne()
    {
        app->simulator()->faults().add(*FaultRule::parse("scename:*:*=code:1", nullptr));
        const QVariantMap hall = RecordFactory::device(kHall, "S", kHall, "Hall");
        Database::instance()->insertScenarioWithInfo(
            RecordFactory::userScenario("1", "Evening", "", {hall}));
        const auto storedTitle = [] {
            return Database::instance()
                ->scenarioRecordWithMainID("1")
                ->value(Key::title)
                .toString();
        };
        auto *list = new SceneViewController(home());
        stack()->push(list, false);
        const int row = int(list->needArray().size()) - 1;
        auto *edit = new SceneEditViewController(home(), list->needArray().at(row));
        stack()->push(edit, false);
        edit->nextButtonPress();
        auto *naming = top<SceneEditNameViewController>();
        QVERIFY(naming);
        naming->nameField()->clear();
        QTest::keyClicks(naming->nameField(), "Late evening");
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
        QTRY_COMPARE(app->lastToast(), QStringLiteral("Setting scenario failed"));
        settle();
        QCOMPARE(storedTitle(), QStringLiteral("Evening"));
        QCOMPARE(stack()->top(), static_cast<QWidget *>(naming)); // to try again or go back

        list->editFinishWithName("Late evening", row, QByteArray());
        settle();
        QCOMPARE(storedTitle(), QStringLiteral("Evening"));
        QCOMPARE(list->needArray().at(row).value(Key::title).toString(), QStringLiteral("Evening"));
    }

    void builtInsCannotBeSwipedOrDeleted()
    {
        auto *list = new SceneViewController(home());
        stack()->push(list, false);
        list->VtMoveCellSelector(list->cellAt(0), "L");
        QVERIFY(list->cellAt(0)->getIfEditViewShow());
        list->VtMoveCellSelector(list->cellAt(0), "D");
        QCOMPARE(list->needArray().size(), 2);
    }

    void theEighthScenarioIsTheLast()
    {
        const QVariantMap member = RecordFactory::device(kHall, "S", kHall, "Hall");
        for (int n = 1; n <= 8; ++n)
            Database::instance()->insertScenarioWithInfo(
                RecordFactory::userScenario(QString::number(n), "s", "", {member}));
        auto *list = new SceneViewController(home());
        stack()->push(list, false);
        list->navRightButtonItemPressed();
        QCOMPARE(app->lastToast(), QStringLiteral("Maximum 8 scenarios"));
        QCOMPARE(stack()->top(), static_cast<QWidget *>(list));
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestScenarioScreens, initUiResources)
#include "tst_scenarioscreens.moc"
