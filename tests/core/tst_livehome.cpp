// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/livehome.h"
#include "control/livehomefeed.h"
#include "datarow.h"
#include "testmain.h"

#include <QSignalSpy>

using Answering = LiveHome::Answering;

namespace {
const QString kChannel = QStringLiteral("L1");
const QString kMaster = QStringLiteral("M");

// One step as "what:family:operation:parameter", what being ack, refuse,
// silent (an outcome; a fifth part names another channel), stored, reported (a state the store
// announced), import (the channels after it), elsewhere (another program changed the store), check
// (the master's link check: ok or silent) or slave (a slave's locate: ok or silent).
void apply(LiveHomeFeed &feed, const QString &step)
{
    const QStringList parts = step.split(u':');
    const QString what = parts.value(0);
    if (what == QLatin1String("stored"))
        return feed.onStateStored(kChannel, parts.value(1));
    if (what == QLatin1String("reported"))
        return feed.onStateReported(kChannel, parts.value(1));
    if (what == QLatin1String("import"))
        return feed.onHomeReplaced();
    if (what == QLatin1String("elsewhere"))
        return feed.onHomeChangedElsewhere();
    if (what == QLatin1String("check") || what == QLatin1String("slave"))
        return feed.onOutcome({QStringLiteral("req"), QStringLiteral("gw"),
                               what == QLatin1String("check") ? kMaster : QStringLiteral("S")},
                              parts.value(1) == QLatin1String("ok") ? CommandOutcome::acknowledged()
                                                                    : CommandOutcome::noReply());
    const CommandOutcome outcome = what == QLatin1String("ack") ? CommandOutcome::acknowledged()
                                   : what == QLatin1String("refuse") ? CommandOutcome::refused(135)
                                                                     : CommandOutcome::noReply();
    feed.onOutcome({QStringLiteral("cfg"), parts.value(1), parts.value(4, kChannel), parts.value(2),
                    parts.value(3)},
                   outcome);
}
} // namespace

class TestLiveHome : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void followsReplies_data()
    {
        QTest::addColumn<QStringList>("steps");
        // The stored channels an import or another program leaves ("?": the store cannot be read).
        QTest::addColumn<QStringList>("afterImport");
        QTest::addColumn<QString>("state");
        QTest::addColumn<Answering>("channel");
        QTest::addColumn<Answering>("master");
        QTest::addColumn<bool>("available");

        const QStringList kept{kChannel};
        dataRow("nothing heard: not yet known", QStringList{}, kept, QString(),
                Answering::NotYetKnown, Answering::NotYetKnown, false);
        dataRow("acknowledged switch: confirmed, both answer",
                QStringList{"ack:lig:4:YES", "stored:YES"}, kept, "YES", Answering::Answering,
                Answering::Answering, true);
        dataRow("refusal: the channel answers, state unconfirmed", QStringList{"refuse:lig:4:YES"},
                kept, QString(), Answering::Answering, Answering::Answering, false);
        dataRow("state answer: confirmed", QStringList{"ack:lig:0:", "reported:60"}, kept, "60",
                Answering::Answering, Answering::Answering, true);
        dataRow("unanswered state query: that channel only",
                QStringList{"check:ok", "reported:YES", "silent:lig:0:"}, kept, "YES",
                Answering::NotAnswering, Answering::Answering, false);
        dataRow("unanswered control: that channel only", QStringList{"check:ok", "silent:lig:4:NO"},
                kept, QString(), Answering::NotAnswering, Answering::Answering, false);
        dataRow("two channels unanswered in a row: the master is silent",
                QStringList{"check:ok", "reported:YES", "silent:lig:0::L2", "silent:lig:0:"}, kept,
                "YES", Answering::NotAnswering, Answering::NotAnswering, false);
        dataRow("one channel unanswered twice: the master still answers",
                QStringList{"check:ok", "silent:lig:4:NO", "silent:lig:4:YES"}, kept, QString(),
                Answering::NotAnswering, Answering::Answering, false);
        dataRow("an answer between two lost replies: the master still answers",
                QStringList{"check:ok", "silent:lig:0::L2", "ack:lig:4:YES:L3", "silent:lig:0:"},
                kept, QString(), Answering::NotAnswering, Answering::Answering, false);
        dataRow("silent master: nothing available, state kept",
                QStringList{"reported:YES", "check:silent"}, kept, "YES", Answering::Answering,
                Answering::NotAnswering, false);
        dataRow("master back: available again",
                QStringList{"reported:YES", "check:silent", "check:ok"}, kept, "YES",
                Answering::Answering, Answering::Answering, true);
        dataRow("silent slave: the master still answers",
                QStringList{"reported:YES", "slave:silent"}, kept, "YES", Answering::Answering,
                Answering::Answering, true);
        dataRow("answering slave: tells nothing of a silent master",
                QStringList{"reported:YES", "check:silent", "slave:ok"}, kept, "YES",
                Answering::Answering, Answering::NotAnswering, false);
        dataRow("curtain's acknowledged close stands over the stored state",
                QStringList{"reported:YES", "ack:curtain:4:0", "stored:YES"}, kept, "NO",
                Answering::Answering, Answering::Answering, true);
        dataRow("curtain's stop leaves it where it was",
                QStringList{"reported:NO", "ack:curtain:4:2", "stored:YES"}, kept, "NO",
                Answering::Answering, Answering::Answering, true);
        dataRow("curtain's report after a move: the home's word",
                QStringList{"ack:curtain:4:1", "stored:NO", "reported:NO"}, kept, "NO",
                Answering::Answering, Answering::Answering, true);
        dataRow("import keeps a channel still there", QStringList{"reported:YES", "import"}, kept,
                "YES", Answering::Answering, Answering::Answering, true);
        dataRow("import drops a channel gone, a new one not yet known",
                QStringList{"reported:YES", "import", "check:ok"}, QStringList{"L2"}, QString(),
                Answering::NotYetKnown, Answering::Answering, false);
        dataRow("a change elsewhere keeps what the home confirmed",
                QStringList{"ack:lig:4:YES", "stored:YES", "elsewhere"},
                QStringList{"L2", kChannel}, "YES", Answering::Answering, Answering::Answering,
                true);
        dataRow("a change elsewhere drops a channel gone", QStringList{"reported:YES", "elsewhere"},
                QStringList{"L2"}, QString(), Answering::NotYetKnown, Answering::Answering, false);
        dataRow("an unreadable store drops nothing",
                QStringList{"reported:YES", "elsewhere", "import"}, QStringList{"?"}, "YES",
                Answering::Answering, Answering::Answering, true);
    }

    void followsReplies()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, afterImport);
        LiveHome home;
        LiveHomeFeed feed(
            &home,
            [afterImport]() -> std::optional<QStringList> {
                if (afterImport == QStringList{"?"})
                    return std::nullopt;
                return afterImport;
            },
            [] { return kMaster; });
        for (const QString &step : std::as_const(steps))
            apply(feed, step);

        const LiveHome::Channel channel = home.channel(kChannel).value_or(LiveHome::Channel{});
        QTEST(channel.state, "state");
        QCOMPARE(channel.isConfirmed(), !channel.state.isEmpty());
        QTEST(channel.answering, "channel");
        QTEST(home.master(), "master");
        QTEST(home.isAvailable(kChannel), "available");
    }

    void showsConfirmedStatesOverStoredOnes()
    {
        LiveHome home;
        home.confirmState(kChannel, QStringLiteral("60"));
        const QList<QVariantMap> shown = home.withConfirmedStates(
            {{{"id", kChannel}, {"turnOn", "0"}}, {{"id", "L2"}, {"turnOn", "YES"}}});
        QCOMPARE(shown.at(0).value("turnOn").toString(), QStringLiteral("60"));
        QCOMPARE(shown.at(1).value("turnOn").toString(), QStringLiteral("YES")); // not confirmed
    }

    void tellsWhatChanged()
    {
        LiveHome home;
        QSignalSpy channels(&home, &LiveHome::channelChanged);
        QSignalSpy master(&home, &LiveHome::masterChanged);
        home.confirmState(kChannel, QStringLiteral("YES"));
        home.confirmState(kChannel, QStringLiteral("YES")); // the same again: nothing new
        home.masterSilent();
        QCOMPARE(channels.count(), 1);
        QCOMPARE(master.count(), 2); // answering, then silent
    }
};

ARDENTIA_TEST_MAIN(TestLiveHome)
#include "tst_livehome.moc"
