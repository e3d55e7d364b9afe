// SPDX-License-Identifier: GPL-3.0-or-later
#include "faultplan.h"
#include "streamplan.h"
#include "testmain.h"

#include <QStringDecoder>

class TestFaultPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsesRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("code") << "lig:12:*=code:135" << true;
        QTest::newRow("drop") << "gw:1:*=drop" << true;
        QTest::newRow("delay") << "*:*:*=delay:3000" << true;
        QTest::newRow("delay needs a value") << "*:*:*=delay" << false;
        QTest::newRow("unknown action") << "*:*:*=explode" << false;
        QTest::newRow("missing part") << "lig:12=drop" << false;
        QTest::newRow("drop a share") << "*:*:*=drop:5%" << true;
        QTest::newRow("share over 100") << "*:*:*=drop:101%" << false;
        QTest::newRow("drop with a bare number") << "*:*:*=drop:5" << false;
        QTest::newRow("delay range") << "*:*:*=delay:0-50" << true;
        QTest::newRow("range backwards") << "*:*:*=delay:50-10" << false;
        QTest::newRow("range for a code") << "*:*:*=code:1-3" << false;
        QTest::newRow("share for a delay") << "*:*:*=delay:5%" << false;
        QTest::newRow("negative delay") << "*:*:*=delay:-050" << false;
        QTest::newRow("delay past any int") << "*:*:*=delay:99999999999" << false;
        QTest::newRow("negative code") << "*:*:*=code:-1" << true;
    }
    void parsesRules()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QString error;
        QCOMPARE(FaultRule::parse(text, &error).has_value(), valid);
        QCOMPARE(error.isEmpty(), valid);
    }

    void matchesFamilyOperationAndId()
    {
        FaultPlan plan;
        plan.add(*FaultRule::parse("lig:12:211300001231=code:137", nullptr));
        plan.add(*FaultRule::parse("curtain:*:*=notoken", nullptr));
        QVERIFY(plan.match(R"(token$cfg,lig,211300001231,12,0,0,0\n)"));
        QVERIFY(!plan.match(R"(token$cfg,lig,211300001232,12,0,0,0\n)"));
        QCOMPARE(plan.match(R"(token$req,curtain,213100007890,0,0,0,0\n)")->action,
                 FaultRule::Action::NoToken);
        QVERIFY(!plan.match("garbage"));
    }

    void sharesAndRangesAreSeededAndFallThrough()
    {
        const QByteArray request = R"(token$cfg,lig,211300001231,4,1,0,0\n)";
        const auto play = [&request](quint32 seed) {
            FaultPlan plan;
            plan.setSeed(seed);
            plan.add(*FaultRule::parse("*:*:*=drop:20%", nullptr));
            plan.add(*FaultRule::parse("*:*:*=delay:10-20", nullptr));
            QList<int> outcomes; // -1 dropped, else the delay
            for (int i = 0; i < 2000; ++i) {
                const FaultRule *rule = plan.match(request);
                outcomes << (rule->action == FaultRule::Action::Drop
                                 ? -1
                                 : plan.delayMilliseconds(*rule));
            }
            return outcomes;
        };
        const QList<int> first = play(7);
        QCOMPARE(play(7), first); // the same seed plays the same faults
        QVERIFY(play(8) != first);
        const auto dropped = first.count(-1);
        QVERIFY2(dropped > 300 && dropped < 500, qPrintable(QString::number(dropped)));
        for (int delay : first)
            QVERIFY(delay == -1 || (delay >= 10 && delay <= 20));
        QVERIFY(first.contains(10) && first.contains(20));
    }

    void changesTheReply_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray ack = R"(token$ack,lig,211300001231,12,0,0,0\n)";
        QTest::newRow("code") << "*:*:*=code:135"
                              << QByteArray(R"(token$ack,lig,211300001231,12,0,0,135\n)");
        QTest::newRow("no token") << "*:*:*=notoken"
                                  << QByteArray(R"($ack,lig,211300001231,12,0,0,0\n)");
        QTest::newRow("short") << "*:*:*=short" << QByteArray(R"(token$ack,lig\n)");
        QTest::newRow("code in place")
            << "*:*:*=inplace" << QByteArray(R"(token$ack,lig,211300001231,12,0,0\n)");
        QTest::newRow("delay leaves it") << "*:*:*=delay:10" << ack;
    }
    void changesTheReply()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, reply);
        const QByteArray ack = R"(token$ack,lig,211300001231,12,0,0,0\n)";
        QCOMPARE(FaultRule::parse(text, nullptr)->applyTo(ack), reply);
    }

    void badUtf8IsNotUtf8()
    {
        const QByteArray bad =
            FaultRule::parse("*:*:*=badutf8", nullptr)->applyTo("token$ack,x\\n");
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(bad);
        Q_UNUSED(text)
        QVERIFY(decoder.hasError());
    }

    void shapesTheStream_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<bool>("markerWhole");
        QTest::addColumn<bool>("complete");
        QTest::newRow("one chunk") << "chunks:1" << 1 << true << true;
        QTest::newRow("three chunks") << "chunks:3" << 3 << true << true;
        QTest::newRow("marker split") << "split-marker" << 2 << false << true;
        QTest::newRow("cut") << "cut" << 1 << false << false;
    }
    void shapesTheStream()
    {
        QFETCH(QString, shape);
        QFETCH(int, pieces);
        QFETCH(bool, markerWhole);
        QFETCH(bool, complete);
        const QByteArray text = "$gw,1,A,B,m,0,0\n$scenario,1,Evening\n$req,gw,end,import\n";
        StreamPlan plan;
        QVERIFY(plan.parse(shape, nullptr));
        const QList<QByteArray> chunks = plan.chunksOf(text);
        QCOMPARE(chunks.size(), pieces);
        QCOMPARE(chunks.join() == text, complete);
        const bool whole = std::any_of(chunks.cbegin(), chunks.cend(), [](const QByteArray &c) {
            return c.contains("$req,gw,end,import");
        });
        QCOMPARE(whole, markerWhole);
    }
};

ARDENTIA_TEST_MAIN(TestFaultPlan)
#include "tst_faultplan.moc"
