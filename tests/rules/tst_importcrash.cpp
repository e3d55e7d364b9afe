// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/delegatemanager.h"
#include "freshprogram.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// An import killed half-way must leave the home it was replacing.
class TestImportCrash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedImportLeavesTheOldHome()
    {
        FreshProgram program;
        Database *store = Database::instance();
        DelegateManager::instance()->initApplicationNeedData();
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.2", true));
        store->insertMainDeviceWithInfo(
            RecordFactory::device("219900000000", "S", "219900000000", "Old lamp"));

        QTemporaryDir dir;
        QFile text(dir.filePath("configuration.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        for (int i = 0; i < 1000; ++i)
            text.write(QStringLiteral("$actuation,2113%1,x,Lamp %2,1,81,8000000000000080,0\n")
                           .arg(i, 8, 10, QLatin1Char('0'))
                           .arg(i)
                           .toUtf8());
        text.write("$req,gw,end,import\n");
        text.close();

        QProcess child;
        child.setProgram(QCoreApplication::applicationDirPath() + "/import-child");
        child.setArguments({text.fileName()});
        child.start();
        QVERIFY(child.waitForReadyRead(30000));
        QCOMPARE(child.readLine(), QByteArray("rebuilding\n"));
        child.kill();
        QVERIFY(child.waitForFinished(5000));

        const QList<QVariantMap> devices = store->readAllMainDeviceInfo();
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.constFirst().value(Key::title).toString(), QStringLiteral("Old lamp"));
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
        QCOMPARE(store->readAllScenarioInfo().size(), 2);
    }
};

ARDENTIA_TEST_MAIN(TestImportCrash)
#include "tst_importcrash.moc"
