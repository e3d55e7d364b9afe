// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Number-base conversions for the state values transmitters report.
class UIDeviceCalculation {
public:
    // Four bits per character: hexadecimal digits by value, anything else "0000".
    static QString hexToBinary(const QString &hex);
    // One hexadecimal digit's value; anything else counts as 0.
    static int hexDigitValue(QChar digit);
    // Base-2 digits, most significant first; "" gives 0; characters other than
    // "1" count as 0. Clamped to the int range.
    static int binaryToDecimal(const QString &binary);
    // A curtain's position from its state field: the top bit cleared.
    static int curtainValue(const QString &hex);
    // A channel's "turnOn" from a state answer, by the kind digit of its ID
    // (position 2): curtains "YES" when fully open, dimmers their level,
    // switches "YES"/"NO". Nothing when the answer does not say.
    static std::optional<QString> turnOnFromStateAnswer(const QString &id, const QString &state,
                                                        const QString &level);
};
