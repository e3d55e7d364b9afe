// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminalqr.h"

#include "access/qrmatrix.h"

namespace {
constexpr int kQuietZone = 2;
}

QString terminalQrCode(const QString &text)
{
    const std::optional<ZXing::BitMatrix> modules = qrMatrix(text, 0);
    if (!modules)
        return {};
    const ZXing::BitMatrix &matrix = *modules;
    const int width = matrix.width(), height = matrix.height();
    const auto dark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && matrix.get(x, y);
    };
    // Dark modules in black on a white background, both set explicitly, so
    // that the code reads on light and dark terminals alike.
    QString drawn;
    for (int y = -kQuietZone; y < height + kQuietZone; y += 2) {
        drawn += QStringLiteral("\x1b[30;47m");
        for (int x = -kQuietZone; x < width + kQuietZone; ++x) {
            const bool top = dark(x, y), bottom = dark(x, y + 1);
            drawn += top && bottom ? QChar(0x2588) // full block
                     : top         ? QChar(0x2580) // upper half
                     : bottom      ? QChar(0x2584) // lower half
                                   : QChar(' ');
        }
        drawn += QStringLiteral("\x1b[0m\n");
    }
    return drawn;
}
