// SPDX-License-Identifier: GPL-3.0-or-later
#include "uidevicecalculation.h"

#include "base/textnumber.h"
#include "store/recordkeys.h"

#include <limits>

QString UIDeviceCalculation::hexToBinary(const QString &hex)
{
    QString bits;
    bits.reserve(hex.size() * 4);
    for (const QChar c : hex)
        bits += QStringLiteral("%1").arg(hexDigitValue(c), 4, 2, QLatin1Char('0'));
    return bits;
}

int UIDeviceCalculation::hexDigitValue(QChar digit)
{
    const char16_t u = digit.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 0;
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

std::optional<QString> UIDeviceCalculation::turnOnFromStateAnswer(const QString &id,
                                                                  const QString &state,
                                                                  const QString &level)
{
    const int value = TextNumber::integerValue(state);
    switch (id.size() > 2 ? id.at(2).unicode() : 0) {
    case '3':
        return curtainValue(state) == 100 ? Value::yes : Value::no;
    case '2':
        if (value == 0)
            return QStringLiteral("0");
        if (value == 1)
            return QString::number(TextNumber::integerValue(level));
        return std::nullopt;
    case '1':
        if (value == 0 || value == 1)
            return value == 1 ? Value::yes : Value::no;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}
