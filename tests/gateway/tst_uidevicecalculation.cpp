// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/uidevicecalculation.h"
#include "datarow.h"
#include "testmain.h"

class TestUIDeviceCalculation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hexToBinary_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("bits");
        dataRow("one", "1", "0001");
        dataRow("F", "F", "1111");
        dataRow("lower case", "a5", "10100101");
        dataRow("x counts as 0", "0x", "00000000");
        dataRow("empty", "", "");
        dataRow("non-ASCII", "灯", "0000");
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
        dataRow("100", "1100100", 100);
        dataRow("empty", "", 0);
        dataRow("leading zeros", "0001", 1);
        dataRow("too long is clamped", QString(80, QLatin1Char('1')),
                std::numeric_limits<int>::max());
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
        dataRow("E4 is open", "E4", 100);
        dataRow("64 is open", "64", 100);
        dataRow("32 is half", "32", 50);
        dataRow("80 is closed", "80", 0);
        dataRow("empty", "", 0);
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
