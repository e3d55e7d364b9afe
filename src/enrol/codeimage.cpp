// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeimage.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <ZXing/ReadBarcode.h>

namespace {
QImage fromMatrix(const ZXing::BitMatrix &matrix, int scaleX, int scaleY)
{
    QImage image(matrix.width() * scaleX, matrix.height() * scaleY, QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = matrix.get(x / scaleX, y / scaleY) ? 0 : 255;
    }
    return image;
}

QImage linear(ZXing::BarcodeFormat format, const QString &text, int height)
{
    try {
        const ZXing::BitMatrix matrix =
            ZXing::MultiFormatWriter(format).setMargin(10).encode(text.toStdString(), 0, 1);
        return fromMatrix(matrix, 2, height);
    } catch (const std::exception &) {
        return {};
    }
}
} // namespace

std::optional<QString> CodeImage::read(const QImage &frame)
{
    if (frame.isNull())
        return std::nullopt;
    const QImage grey = frame.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::EAN13 |
                     ZXing::BarcodeFormat::EAN8 | ZXing::BarcodeFormat::Code128);
    hints.setTryHarder(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;
    return QString::fromStdString(result.text());
}

QImage CodeImage::qrCode(const QString &text, int modulePixels)
{
    try {
        const ZXing::BitMatrix matrix = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                                            .setMargin(2)
                                            .encode(text.toStdString(), 0, 0);
        return fromMatrix(matrix, modulePixels, modulePixels);
    } catch (const std::exception &) {
        return {};
    }
}

QImage CodeImage::ean13(const QString &digits, int height)
{
    return linear(ZXing::BarcodeFormat::EAN13, digits, height);
}

QImage CodeImage::code128(const QString &text, int height)
{
    return linear(ZXing::BarcodeFormat::Code128, text, height);
}
