#include "uidevicecalculation.h"

#include <limits>

QString UIDeviceCalculation::hexToBinary(const QString &hex)
{
    QString bits;
    bits.reserve(hex.size() * 4);
    for (const QChar c : hex) {
        bool ok = false;
        const int value = QString(c).toInt(&ok, 16);
        bits += QStringLiteral("%1").arg(ok ? value : 0, 4, 2, QLatin1Char('0'));
    }
    return bits;
}

int UIDeviceCalculation::binaryToDecimal(const QString &binary)
{
    qint64 value = 0;
    for (const QChar c : binary) {
        value = value * 2 + (c == QLatin1Char('1') ? 1 : 0);
        if (value > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
    }
    return int(value);
}

int UIDeviceCalculation::curtainValue(const QString &hex)
{
    QString bits = hexToBinary(hex);
    if (!bits.isEmpty())
        bits[0] = QLatin1Char('0');
    return binaryToDecimal(bits);
}
