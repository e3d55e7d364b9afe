// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmain.h"
#include "transport/followupqueue.h"

#include <QElapsedTimer>

class TestFollowUpQueue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runsAfterTheDelayInSchedulingOrder()
    {
        FollowUpQueue queue(110);
        QStringList ran;
        QElapsedTimer clock;
        clock.start();
        qint64 firstAt = -1;
        queue.schedule([&] {
            firstAt = clock.elapsed();
            ran << "step";
            // Scheduled from inside a follow-up: runs a full delay later.
            queue.schedule([&] { ran << "nested"; });
        });
        queue.schedule([&] { ran << "counters"; });
        queue.schedule([&] { ran << "queue"; });
        QCOMPARE(queue.pendingCount(), 3);
        QTRY_COMPARE(ran.size(), 3);
        QVERIFY(firstAt >= 110);
        QCOMPARE(ran, (QStringList{"step", "counters", "queue"}));
        QTRY_COMPARE(ran.size(), 4);
        QCOMPARE(ran.constLast(), QStringLiteral("nested"));
        QCOMPARE(queue.pendingCount(), 0);
    }

    void laterCallsWaitTheirOwnDelay()
    {
        FollowUpQueue queue(110);
        QElapsedTimer clock;
        clock.start();
        qint64 firstAt = -1, secondScheduledAt = -1, secondAt = -1;
        queue.schedule([&] { firstAt = clock.elapsed(); });
        QTest::qWait(60);
        secondScheduledAt = clock.elapsed();
        queue.schedule([&] { secondAt = clock.elapsed(); });
        QTRY_VERIFY(secondAt >= 0);
        QVERIFY(firstAt >= 110);
        QVERIFY(secondAt - secondScheduledAt >= 110);
    }
};

ARDENTIA_TEST_MAIN(TestFollowUpQueue)
#include "tst_followupqueue.moc"
