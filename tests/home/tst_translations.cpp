#include "core/appdelegate.h"
#include "core/delegatemanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "widgettestmain.h"

#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>

// The Chinese table is complete and the app's texts follow it.
class TestTranslations : public QObject {
    Q_OBJECT

    QTranslator translator;

private Q_SLOTS:
    void everyTextHasATranslation()
    {
        QFile table(QStringLiteral(TS_FILE));
        QVERIFY(table.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&table);
        QString context, source;
        QStringList missing;
        int messages = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const bool unfinished =
                    xml.attributes().value("type") == QLatin1String("unfinished");
                if (unfinished || xml.readElementText().isEmpty())
                    missing << context + ": " + source;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 30);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }

    void chineseInterfaceUsesTheTable()
    {
        QVERIFY(translator.load(QStringLiteral(QM_FILE)));
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(QCoreApplication::translate("HomeViewController", "Home"), QStringLiteral("首页"));
        QCOMPARE(RecordFactory::transmitterTitle(true), QStringLiteral("主无线转发器"));
        QCOMPARE(RecordFactory::allOnScenario().value(Key::title).toString(),
                 QStringLiteral("全开模式"));

        // Default titles given in English follow the interface; a user's name stays.
        DelegateManager::instance()->initApplicationNeedData();
        QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.2", true);
        master.insert(Key::title, "Master Transmitter");
        QVariantMap named = RecordFactory::transmitter("20AA10000002", "127.0.0.3", false);
        named.insert(Key::title, "Garage");
        Database::instance()->insertSuperBoxWithInfo(master);
        Database::instance()->insertSuperBoxWithInfo(named);
        AppDelegate::localiseTransmitterTitles();
        QStringList titles;
        for (const QVariantMap &t : Database::instance()->readAllSuperBoxInfo())
            titles << t.value(Key::title).toString();
        QCOMPARE(titles, (QStringList{"主无线转发器", "Garage"}));
        QCoreApplication::removeTranslator(&translator);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestTranslations, nothingMoreToPrepare)
#include "tst_translations.moc"
