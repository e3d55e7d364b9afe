// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appwindow.h"
#include "appwindowtesting.h"
#include "control/codedecoder.h"
#include "devices/curtainviewcontroller.h"
#include "devices/devicedetailviewcontroller.h"
#include "devices/devicelistviewcontroller.h"
#include "devices/editnamedelegate.h"
#include "devices/editnamehcviewcontroller.h"
#include "devices/lightingviewcontroller.h"
#include "devices/linkstatustext.h"
#include "enrol/codeimage.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "loopbacksimulator.h"
#include "simulatedwindow.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"
#include "views/uiresources.h"
#include "views/vtactionsheet.h"
#include "views/vtalertdialog.h"
#include "views/vtimagelibsheet.h"
#include "views/vtlightingimageview.h"
#include "views/vtsimpleslider.h"
#include "widgettestmain.h"

#include <QFile>

Q_DECLARE_METATYPE(std::optional<TransmitterLinks::Link>)
#include <QLineEdit>
#include <QPushButton>

namespace {
QVariantMap stored(const QString &id)
{
    return JsonCodec::recordFromJSONString(Database::instance()->selectMainDeviceWithMainID(id))
        .value_or(QVariantMap());
}

void swipeLeft(QWidget *cell)
{
    QTest::mousePress(cell, Qt::LeftButton, {}, QPoint(250, 30));
    QTest::mouseMove(cell, QPoint(220, 30));
    QTest::mouseMove(cell, QPoint(180, 30));
    QTest::mouseRelease(cell, Qt::LeftButton, {}, QPoint(180, 30));
}

class Names final : public EditNameDelegate {
public:
    void editFinishWithName(const QString &name, int row, const QVariant &third) override
    {
        results << name + "|" + QString::number(row);
        lastThird = third;
    }
    QStringList results;
    QVariant lastThird;
};
} // namespace

class TestDeviceScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatedWindow> app;

    NavigationStack *stack() const { return app->stack(); }
    const HomeServices &home() const { return app->program().services(); }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<SimulatedWindow>();
        QVERIFY(app->startSimulator());
        Database *store = Database::instance();
        storeDemoMaster();
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("20AA10000002", "", false));
        for (const auto &[id, control, name] : {std::tuple{"211300001230", "S", "Hall"},
                                                std::tuple{"212200004560", "D", "Living room"},
                                                std::tuple{"212200004561", "D", "Dining table"},
                                                std::tuple{"213100007890", "C", "Bedroom curtain"}})
            store->insertMainDeviceWithInfo(RecordFactory::device(id, control, id, name));
        QVERIFY(app->openWindow());
    }

    void cleanup() { app.reset(); }

    void transmitterLinkReads_data()
    {
        using namespace std::chrono_literals;
        using Link = TransmitterLinks::Link;
        QTest::addColumn<std::optional<Link>>("link");
        QTest::addColumn<bool>("master");
        QTest::addColumn<int>("secondsAgo");
        QTest::addColumn<QString>("text");
        const std::optional<Link> none;
        QTest::newRow("nothing sent yet") << none << true << 0 << QString();
        QTest::newRow("master answered")
            << std::optional(Link{{}, true}) << true << 12 << QStringLiteral("answered 12 s ago");
        QTest::newRow("slave located")
            << std::optional(Link{{}, true}) << false << 200 << QStringLiteral("located 3 min ago");
        QTest::newRow("hours") << std::optional(Link{{}, true}) << true << 7300
                               << QStringLiteral("answered 2 h ago");
        QTest::newRow("silent since")
            << std::optional(Link{{}, false}) << true << 5 << QStringLiteral("not answering");
        QTest::newRow("never answered") << std::optional(Link{std::nullopt, false}) << false << 0
                                        << QStringLiteral("not answering");
    }
    void transmitterLinkReads()
    {
        QFETCH(std::optional<TransmitterLinks::Link>, link);
        QFETCH(bool, master);
        QFETCH(int, secondsAgo);
        QFETCH(QString, text);
        const auto now = TransmitterLinks::Clock::now();
        if (link && link->answering)
            link->lastAnswer = now - std::chrono::seconds(secondsAgo);
        QCOMPARE(LinkStatusText::of(link, master, now), text);
    }

    void dimmersExpandOneAtATime()
    {
        auto *lighting = app->open(new LightingViewController(home()));
        QTest::mouseClick(lighting->cellAt(0), Qt::LeftButton, {},
                          QPoint(100, 30)); // a switch light
        QCOMPARE(stored("211300001230").value(Key::move).toString(), QStringLiteral("NO"));
        QTest::mouseClick(lighting->cellAt(1), Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(stored("212200004560").value(Key::move).toString(), QStringLiteral("YES"));
        QCOMPARE(lighting->cellAt(1)->height(), 122);
        QTest::mouseClick(lighting->cellAt(2), Qt::LeftButton, {}, QPoint(100, 30));
        QCOMPARE(stored("212200004560").value(Key::move).toString(), QStringLiteral("NO"));
        QCOMPARE(stored("212200004561").value(Key::move).toString(), QStringLiteral("YES"));

        // One value a drag, truncated; plus at 95 gives 100.
        auto *slider = lighting->cellAt(2)->findChild<VtSimpleSlider *>("slider");
        QVERIFY(slider);
        // The slider spans the row: a drag moves it by its width / 500 a pixel.
        const int dragged = qMin(100, int(slider->width() / 500.0 * 100.0));
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(100, 30));
        QTest::mouseMove(slider, QPoint(150, 30));
        QTest::mouseMove(slider, QPoint(200, 30));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(200, 30));
        slider->setValue(95);
        QTest::mouseClick(slider->plusButton(), Qt::LeftButton);
        QTRY_COMPARE(app->receivedFor("cfg,lig,212200004561").size(), 2);
        QCOMPARE(app->receivedFor("cfg,lig,212200004561"),
                 (QStringList{QStringLiteral("cfg,lig,212200004561,4,1,%1,0").arg(dragged),
                              "cfg,lig,212200004561,4,1,100,0"}));

        // Leaving collapses the expanded row in the store.
        lighting->hide();
        QCOMPARE(stored("212200004561").contains(Key::move), false);
    }

    void swipePanelsAndPresses()
    {
        auto *lighting = app->open(new LightingViewController(home()));
        swipeLeft(lighting->cellAt(1));
        QCOMPARE(lighting->lastEditCellRow(), 1);
        QVERIFY(!lighting->cellAt(1)->getIfEditViewShow());
        // A press on the row with the open panel only closes it.
        QTest::mouseClick(lighting->cellAt(1), Qt::LeftButton, {}, QPoint(60, 30));
        QCOMPARE(stored("212200004560").value(Key::move).toString(), QStringLiteral("NO"));
        QCOMPARE(lighting->lastEditCellRow(), -1);
        // Swiping another row closes the first one's panel.
        swipeLeft(lighting->cellAt(1));
        swipeLeft(lighting->cellAt(2));
        QVERIFY(lighting->cellAt(1)->getIfEditViewShow());
        QCOMPARE(lighting->lastEditCellRow(), 2);
    }

    void deletesAndRenames()
    {
        auto *lighting = app->open(new LightingViewController(home()));
        swipeLeft(lighting->cellAt(0));
        QTest::mouseClick(lighting->cellAt(0)->editButton(), Qt::LeftButton);
        auto *naming = dynamic_cast<EditNameViewController *>(stack()->top());
        QVERIFY(naming);
        QCOMPARE(naming->navTitle(), QStringLiteral("Change Name"));
        QCOMPARE(naming->pictureView()->lightType(), 1);
        naming->nameField()->clear();
        QTest::keyClicks(naming->nameField(), "Porch, left");
        QCOMPARE(naming->nameField()->text(),
                 QStringLiteral("Porch left")); // the comma cannot be typed
        QTest::keyClick(naming->nameField(), Qt::Key_Return);
        QCOMPARE(stack()->top(), static_cast<QWidget *>(lighting));
        QTRY_COMPARE(app->receivedFor("cfg,lig,211300001230"),
                     QStringList{"cfg,lig,211300001230,15,Porch left,0,0"});
        QTRY_COMPARE(stored("211300001230").value(Key::title).toString(),
                     QStringLiteral("Porch left")); // once acknowledged
        QTRY_VERIFY(AppWindowTesting::channelSettled());

        for (qsizetype left = lighting->customArray().size(); left > 0; --left) {
            swipeLeft(lighting->cellAt(0));
            QTest::mouseClick(lighting->cellAt(0)->deleteButton(), Qt::LeftButton);
            QTRY_COMPARE(lighting->customArray().size(), left - 1); // removed once acknowledged
        }
        QVERIFY(lighting->customArray().isEmpty());
        QVERIFY(lighting->showsEmptyGuide());
        QTRY_COMPARE(app->receivedFor(",12,").size(), 3);
    }

    void refusedRemovalOffersTheForcedOne()
    {
        app->simulator()->home().setChannelResponsive("211300001230", false);
        auto *lighting = app->open(new LightingViewController(home()));
        swipeLeft(lighting->cellAt(0));
        QTest::mouseClick(lighting->cellAt(0)->deleteButton(), Qt::LeftButton);
        QTRY_VERIFY(app->window()->alertDialog()->visibleAlert());
        QTest::mouseClick(
            app->window()->alertDialog()->visibleAlert()->findChild<QPushButton *>("alertButton0"),
            Qt::LeftButton);
        QTRY_VERIFY(stored("211300001230").isEmpty());
        QCOMPARE(app->receivedFor("cfg,lig,211300001230"),
                 (QStringList{"cfg,lig,211300001230,12,0,0,0", "cfg,lig,211300001230,18,0,0,0"}));
    }

    void removingTheMasterAsksFirst()
    {
        auto *list = app->open(new DeviceListViewController(home()));
        for (const char *button : {"alertButton0", "alertButton1"}) { // cancel, then remove
            swipeLeft(list->cellAt(0, 0));
            QTest::mouseClick(list->cellAt(0, 0)->deleteButton(), Qt::LeftButton);
            QWidget *alert = app->window()->alertDialog()->visibleAlert();
            QVERIFY(alert);
            QCOMPARE(Database::instance()->readAllSuperBoxInfo().size(), 2); // not yet
            QTest::mouseClick(alert->findChild<QPushButton *>(button), Qt::LeftButton);
        }
        const QList<QVariantMap> left = Database::instance()->readAllSuperBoxInfo();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.constFirst().value(Key::id).toString(), QStringLiteral("20AA10000002"));
        QCOMPARE(list->rowCount(0), 1);
    }

    void namingWithAPicture()
    {
        Names names;
        auto *naming =
            new EditNameHCViewController("Evening", QStringLiteral("icon_choose_small_9.png"), -1);
        naming->setDelegate(&names);
        stack()->push(naming, false);
        QCOMPARE(naming->navTitle(), QStringLiteral("Setting Name"));
        naming->imageViewPress();
        app->window()->findChild<VtActionSheet *>()->clickedButtonAtIndex(1);
        VtImageLibSheet *icons = nullptr;
        QTRY_VERIFY((icons = app->window()->findChild<VtImageLibSheet *>()));
        const QImage before = naming->pictureView()->picture().toImage();
        QTest::mouseClick(icons->findChild<QPushButton *>("icon3"), Qt::LeftButton);
        QVERIFY(naming->pictureView()->picture().toImage() != before);

        naming->nameField()->setText(" "); // a blank is a name
        naming->confirm();
        QCOMPARE(names.results, QStringList{" |-1"});
        const QImage handed = QImage::fromData(names.lastThird.toByteArray(), "PNG");
        QCOMPARE(handed.width(), 160);
    }

    void emptyNameIsRefused()
    {
        Names names;
        auto *naming = new EditNameViewController("", QStringLiteral("SuperBox"), 0);
        naming->setDelegate(&names);
        stack()->push(naming, false);
        naming->confirm();
        QVERIFY(names.results.isEmpty());
        QCOMPARE(stack()->top(), static_cast<QWidget *>(naming));
        QCOMPARE(naming->pictureView()->lightType(), 4);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestDeviceScreens, initUiResources)
#include "tst_devicescreens.moc"
