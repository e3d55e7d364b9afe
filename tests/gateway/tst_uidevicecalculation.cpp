// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/uidevicecalculation.h"
#include "testmain.h"

class TestUIDeviceCalculation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hexToBinary_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("bits");
        QTest::newRow("one") << "1"
                             << "0001";
        QTest::newRow("F") << "F"
                           << "1111";
        QTest::newRow("lower case") << "a5"
                                    << "10100101";
        QTest::newRow("x counts as 0") << "0x"
                                       << "00000000";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("non-ASCII") << "灯"
                                   << "0000";
    }
    void hexToBinary()
    {
        QFETCH(QString, hex);
        QFETCH(QString, bits);
        QCOMPARE(UIDeviceCalculation::hexToBinary(hex), bits);
    }

    void binaryToDecimal_data()
    {
        QTest::addColumn<QString>("bits");
        QTest::addColumn<int>("value");
        QTest::newRow("100") << "1100100" << 100;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("leading zeros") << "0001" << 1;
        QTest::newRow("too long is clamped")
            << QString(80, QLatin1Char('1')) << std::numeric_limits<int>::max();
    }
    void binaryToDecimal()
    {
        QFETCH(QString, bits);
        QFETCH(int, value);
        QCOMPARE(UIDeviceCalculation::binaryToDecimal(bits), value);
    }

    void curtainValueClearsTheTopBit_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::newRow("E4 is open") << "E4" << 100;
        QTest::newRow("64 is open") << "64" << 100;
        QTest::newRow("32 is half") << "32" << 50;
        QTest::newRow("80 is closed") << "80" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void curtainValueClearsTheTopBit()
    {
        QFETCH(QString, field);
        QFETCH(int, value);
        QCOMPARE(UIDeviceCalculation::curtainValue(field), value);
    }
};

ARDENTIA_TEST_MAIN(TestUIDeviceCalculation)
#include "tst_uidevicecalculation.moc"
