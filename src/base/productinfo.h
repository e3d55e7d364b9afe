// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the program says of itself wherever it is shown: its name and the
// support line's number.
namespace ProductInfo {
inline const QString displayName = QStringLiteral("Ardentia Home");
inline const QString supportNumber = QStringLiteral("400-880-2626");
} // namespace ProductInfo
