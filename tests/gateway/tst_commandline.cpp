// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmain.h"
#include "transport/commandline.h"

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void framesLines_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("control") << QStringList{"cfg", "lig", "AB1234567890", "4", "1", "0", "0"}
                                 << R"(token$cfg,lig,AB1234567890,4,1,0,0\n)";
        QTest::newRow("locate") << QStringList{"req", "gw", "AB1234567890", "1", "0", "0"}
                                << R"(token$req,gw,AB1234567890,1,0,0\n)";
        QTest::newRow("four fields are wrapped")
            << QStringList{"cfg", "scenario", "3", "1"} << R"(token$cfg,scenario,3,1\n)";
        QTest::newRow("three fields stay bare") << QStringList{"a", "b", "c"} << "a,b,c";
        QTest::newRow("one field") << QStringList{"a"} << "a";
        QTest::newRow("empty array") << QStringList{} << "";
        QTest::newRow("empty fields keep their place")
            << QStringList{"cfg", "lig", "", "15", "", "0", "0"} << R"(token$cfg,lig,,15,,0,0\n)";
        QTest::newRow("non-ASCII name") << QStringList{"cfg", "scename", "1", "3", "客厅", "0"}
                                        << R"(token$cfg,scename,1,3,客厅,0\n)";
    }
    void framesLines()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        QCOMPARE(CommandLine::lineFromCommandArray(fields), line);
        QCOMPARE(CommandLine::datagramFromCommandArray(fields), line.toUtf8());
    }

    void refusesFieldsTheWireCannotCarry_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("sendable");
        QTest::newRow("plain") << "Kitchen light" << true;
        QTest::newRow("apostrophe and quotes") << R"(Tom's "lamp")" << true;
        QTest::newRow("comma") << "Kitchen, left" << false;
        QTest::newRow("full-width comma is fine") << "客厅，左" << true;
        QTest::newRow("line feed") << "two\nlines" << false;
        QTest::newRow("carriage return") << "two\rlines" << false;
        QTest::newRow("the line's suffix") << "Hall\\n$ack" << false;
        QTest::newRow("a lone backslash is fine") << "C:\\lamp" << true;
        QTest::newRow("escape") << "red\x1b[31m" << false;
        QTest::newRow("nul") << QString("a") + QChar(0) + "b" << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("delete") << "a\x7f" << false;
        QTest::newRow("line separator") << QString("a") + QChar(0x2028) + "b" << false;
    }
    void refusesFieldsTheWireCannotCarry()
    {
        QFETCH(QString, field);
        QFETCH(bool, sendable);
        QCOMPARE(CommandLine::isSendableField(field), sendable);
        QCOMPARE(CommandLine::isSendable({"cfg", "lig", "ID", "15", field, "0", "0"}), sendable);
    }
};

ARDENTIA_TEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
