// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/toastgeometry.h"
#include "testmain.h"

class TestToastGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizesThePanel_data()
    {
        QTest::addColumn<QSizeF>("title");
        QTest::addColumn<QSizeF>("detail");
        QTest::addColumn<QSizeF>("panel");
        QTest::addColumn<double>("titleHeight");
        QTest::addColumn<double>("detailHeight");
        // One-line sizes as a presenter measures them (title 19 high, detail 15).
        QTest::newRow("no detail: 40 plus the title")
            << QSizeF(100, 19) << QSizeF() << QSizeF(140, 59) << 19.0 << 0.0;
        QTest::newRow("detail wider than title")
            << QSizeF(100, 19) << QSizeF(150, 15) << QSizeF(190, 79) << 19.0 << 15.0;
        QTest::newRow("long title wraps to two lines, panel capped")
            << QSizeF(300, 19) << QSizeF() << QSizeF(260, 78) << 38.0 << 0.0;
        QTest::newRow("title just fits")
            << QSizeF(220, 19) << QSizeF() << QSizeF(260, 59) << 19.0 << 0.0;
        QTest::newRow("long detail grows by width ratio plus one")
            << QSizeF(100, 19) << QSizeF(330, 15) << QSizeF(260, 19 + 20 + 37.5 + 5 + 20) << 19.0
            << 37.5;
    }
    void sizesThePanel()
    {
        QFETCH(QSizeF, title);
        QFETCH(QSizeF, detail);
        QFETCH(QSizeF, panel);
        QFETCH(double, titleHeight);
        QFETCH(double, detailHeight);
        const ToastGeometry g = ToastGeometry::compute(title, detail, QSizeF(320, 568));
        QCOMPARE(g.panel.size(), panel);
        QCOMPARE(g.titleLabel.height(), titleHeight);
        QCOMPARE(g.titleLabel.width(), panel.width() - 40);
        QCOMPARE(g.detailLabel.height(), detailHeight);
        QCOMPARE(g.titleLabel.top(), 20.0);
        if (detailHeight > 0)
            QCOMPARE(g.detailLabel.bottom(), panel.height() - 20);
    }

    void centresAboveTheMiddle()
    {
        const ToastGeometry g = ToastGeometry::compute({100, 19}, {}, QSizeF(320, 568));
        QCOMPARE(g.panel.center(), QPointF(160, 284 - 35.5));
        QCOMPARE(g.titleLabel.center().x(), g.panel.width() / 2);
    }
};

ARDENTIA_TEST_MAIN(TestToastGeometry)
#include "tst_toastgeometry.moc"
