// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/applifecycle.h"
#include "control/delegatemanager.h"
#include "core/helptopics.h"
#include "help/vtwelcomeview.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "widgettestmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {
struct Table {
    QHash<QString, QString> finished; // "context|source" -> translation
    QStringList unfinished;
};

Table readTable(const QString &path)
{
    Table table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished = xml.attributes().value("type") == QLatin1String("unfinished");
            const QString text = xml.readElementText();
            if (unfinished || text.isEmpty())
                table.unfinished << context + ": " + source;
            else
                table.finished.insert(context + '|' + source, text);
        }
    }
    return table;
}
} // namespace

// Both tables hold every text of the app, translated, and the app follows them.
class TestTranslations : public QObject {
    Q_OBJECT

    QTranslator translator;
    std::optional<FreshProgram> program;

private Q_SLOTS:
    void init() { program.emplace(); }
    void cleanup() { program.reset(); }

    void everyTextHasATranslation_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("Chinese") << QStringLiteral(TS_DIR "/ardentia_zh_CN.ts");
        QTest::newRow("English") << QStringLiteral(TS_DIR "/ardentia_en.ts");
    }

    void everyTextHasATranslation()
    {
        QFETCH(QString, table);
        // The texts the sources hold now, read by the same tool that makes the tables.
        QTemporaryDir scratch;
        const QString current = scratch.filePath("current.ts");
        QProcess lupdate;
        lupdate.start(QStringLiteral(LUPDATE), {"-no-obsolete", "-locations", "none",
                                                QStringLiteral(SOURCE_DIR), "-ts", current});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        const Table sources = readTable(current);
        const Table committed = readTable(table);
        QVERIFY(sources.unfinished.size() > 150);
        QStringList missing;
        for (const QString &text : sources.unfinished) {
            const qsizetype split = text.indexOf(QStringLiteral(": ")); // after the context
            const QString key = text.left(split) + QLatin1Char('|') + text.mid(split + 2);
            if (!committed.finished.contains(key))
                missing << text;
        }
        QVERIFY2(missing.isEmpty(), qPrintable("not in the table, or unfinished "
                                               "(scripts/update-translations.sh):\n" +
                                               missing.join('\n')));
        QVERIFY2(committed.unfinished.isEmpty(), qPrintable(committed.unfinished.join('\n')));
    }

    void englishInterfaceTranslatesTheChineseTexts()
    {
        QVERIFY(translator.load(QStringLiteral(QM_DIR "/ardentia_en.qm")));
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(HelpTopics::rowTitles().at(HelpTopics::EditScenario),
                 QStringLiteral("Editing a scenario"));
        QCOMPARE(VtWelcomeView::pageTexts().constLast().reminder,
                 QStringLiteral("Please power the transmitter and connect it to the network"));
        QCOMPARE(QCoreApplication::translate("HomeViewController", "Home"), QStringLiteral("Home"));
        QVERIFY(RecordFactory::interfaceIsEnglish());
        QCoreApplication::removeTranslator(&translator);
    }

    void chineseInterfaceUsesTheTable()
    {
        QVERIFY(translator.load(QStringLiteral(QM_DIR "/ardentia_zh_CN.qm")));
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
        AppLifecycle::localiseTransmitterTitles(program->services().store);
        QStringList titles;
        for (const QVariantMap &t : Database::instance()->readAllSuperBoxInfo())
            titles << t.value(Key::title).toString();
        QCOMPARE(titles, (QStringList{"主无线转发器", "Garage"}));
        QCoreApplication::removeTranslator(&translator);
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestTranslations, nothingMoreToPrepare)
#include "tst_translations.moc"
