// SPDX-License-Identifier: GPL-3.0-or-later
#include "qrcodesvg.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/BitMatrixIO.h>
#include <ZXing/MultiFormatWriter.h>

#include <stdexcept>

namespace {
constexpr int kQuietZone = 2;
}

QByteArray qrCodeSvg(const QString &text)
{
    std::string drawn;
    try {
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::QRCode);
        writer.setMargin(kQuietZone);
        drawn = ZXing::ToSVG(writer.encode(text.toStdWString(), 0, 0));
    } catch (const std::exception &) {
        return {};
    }
    // The writer draws the dark modules only: a white ground goes under them.
    QByteArray svg = QByteArray::fromStdString(drawn);
    const qsizetype start = svg.indexOf("<svg");
    const qsizetype open = svg.indexOf('>', start);
    if (start < 0 || open < 0)
        return {};
    svg.insert(open + 1, "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>");
    svg.insert(start + 4, " shape-rendering=\"crispEdges\"");
    return svg.mid(start);
}
