// SPDX-License-Identifier: GPL-3.0-or-later
#include "unitid.h"

#include <algorithm>

bool UnitId::isValid(QStringView id)
{
    return id.size() >= kMinLength && std::all_of(id.cbegin(), id.cend(), [](QChar c) {
               const char16_t u = c.unicode();
               return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
           });
}
