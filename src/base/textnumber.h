// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Numbers carried as text in records and on the wire.
class TextNumber {
public:
    // Leading decimal digits with an optional sign (after white space), as C's
    // atoi reads them; 0 when there are none, clamped to the int range.
    static int integerValue(const QString &text);
};
