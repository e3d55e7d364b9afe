// SPDX-License-Identifier: GPL-3.0-or-later
#include "qrcodesvg.h"

#include "access/qrmatrix.h"

#include <ZXing/BitMatrixIO.h>

namespace {
constexpr int kQuietZone = 2;
}

QByteArray qrCodeSvg(const QString &text)
{
    const std::optional<ZXing::BitMatrix> matrix = qrMatrix(text, kQuietZone);
    if (!matrix)
        return {};
    // The writer draws the dark modules only: a white ground goes under them.
    QByteArray svg = QByteArray::fromStdString(ZXing::ToSVG(*matrix));
    const qsizetype start = svg.indexOf("<svg");
    const qsizetype open = svg.indexOf('>', start);
    if (start < 0 || open < 0)
        return {};
    svg.insert(open + 1, "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>");
    svg.insert(start + 4, " shape-rendering=\"crispEdges\"");
    return svg.mid(start);
}
