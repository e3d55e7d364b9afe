// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploadedimage.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QImageReader>

#include <functional>

namespace {
// "jpeg", "png" or "webp" by the bytes' beginning; empty for anything else.
QByteArray formatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

// The image's bytes, ending for its decoder once the deadline has passed:
// a decoder reading them piecemeal (JPEG, PNG) stops there.
class DeadlineBuffer final : public QBuffer {
public:
    explicit DeadlineBuffer(int deadlineMs) : m_deadline(deadlineMs) {}
    bool hasExpired() const { return m_deadline.hasExpired(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        return m_deadline.hasExpired() ? -1 : QBuffer::readData(data, maxSize);
    }

private:
    QDeadlineTimer m_deadline;
};
} // namespace

namespace {
// Calls visit with each marker of a JPEG and where its segment's content
// starts, in order, until it returns false or the image ends; a scan's coded
// data is skipped.
void walkJpeg(const QByteArray &jpeg, const std::function<bool(int, qsizetype)> &visit)
{
    const auto byteAt = [&jpeg](qsizetype at) { return int(uchar(jpeg.at(at))); };
    qsizetype at = 2; // after the start of image
    while (at + 4 <= jpeg.size() && byteAt(at) == 0xFF) {
        const int marker = byteAt(at + 1);
        if (marker == 0xFF) { // a fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || !visit(marker, at + 4))
            return;
        at += 2 + ((byteAt(at + 2) << 8) | byteAt(at + 3));
        if (marker != 0xDA)
            continue;
        // The scan's coded data runs up to the next marker: a 0xFF followed
        // by neither a stuffed zero, a fill byte nor a restart.
        while (at + 1 < jpeg.size()) {
            const int next = byteAt(at + 1);
            if (byteAt(at) == 0xFF && next != 0x00 && next != 0xFF && (next < 0xD0 || next > 0xD7))
                break;
            ++at;
        }
    }
}
} // namespace

int UploadedImage::jpegScans(const QByteArray &jpeg)
{
    int scans = 0;
    walkJpeg(jpeg, [&scans](int marker, qsizetype) {
        scans += marker == 0xDA ? 1 : 0;
        return scans <= kMaxJpegScans; // enough to refuse it
    });
    return scans;
}

qint64 UploadedImage::progressiveJpegBytes(const QByteArray &jpeg)
{
    const auto byteAt = [&jpeg](qsizetype at) { return int(uchar(jpeg.at(at))); };
    qint64 bytes = 0;
    walkJpeg(jpeg, [&](int marker, qsizetype header) {
        if (marker == 0xDA)
            return false; // a scan before any frame
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame)
            return true;
        const bool progressive =
            marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        if (!progressive || header + 6 > jpeg.size())
            return false;
        const qint64 height = (byteAt(header + 1) << 8) | byteAt(header + 2);
        const qint64 width = (byteAt(header + 3) << 8) | byteAt(header + 4);
        const int components = byteAt(header + 5);
        if (header + 6 + 3 * components > jpeg.size())
            return false;
        int maxH = 1, maxV = 1;
        for (int i = 0; i < components; ++i) {
            maxH = qMax(maxH, byteAt(header + 7 + 3 * i) >> 4);
            maxV = qMax(maxV, byteAt(header + 7 + 3 * i) & 0x0F);
        }
        // Each component's 8x8 blocks of 64 two-byte coefficients.
        for (int i = 0; i < components; ++i) {
            const int h = qMax(1, byteAt(header + 7 + 3 * i) >> 4);
            const int v = qMax(1, byteAt(header + 7 + 3 * i) & 0x0F);
            const qint64 blocksWide = (width * h / maxH + 7) / 8 + h;
            const qint64 blocksHigh = (height * v / maxV + 7) / 8 + v;
            bytes += blocksWide * blocksHigh * 128;
        }
        return false;
    });
    return bytes;
}

std::variant<QImage, UploadedImage::Refused> UploadedImage::decode(const QByteArray &bytes,
                                                                   int maxSide, int deadlineMs)
{
    if (bytes.size() > kMaxBytes)
        return Refused{QStringLiteral("photoTooLarge")};
    const QByteArray format = formatOf(bytes);
    if (format.isEmpty())
        return Refused{QStringLiteral("notAnImage")};
    DeadlineBuffer buffer(deadlineMs);
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // Only the format its first bytes name: no guessing by any other decoder.
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    const qint64 maxPixels = format == "jpeg" ? kMaxPixels : kMaxPngPixels;
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels ||
        (format == "jpeg" &&
         (progressiveJpegBytes(bytes) > kMaxWholeDecodeBytes || jpegScans(bytes) > kMaxJpegScans)))
        return Refused{QStringLiteral("notAnImage")};
    // A large image is decoded at the size it is wanted at, where its format allows.
    if (size.width() > maxSide || size.height() > maxSide)
        reader.setScaledSize(size.scaled(maxSide, maxSide, Qt::KeepAspectRatio));
    reader.setAutoTransform(true); // a phone's photo stands as it was taken
    QImage image = reader.read();
    // Cut short by the deadline, a decoder may still give what it had.
    if (image.isNull() || buffer.hasExpired())
        return Refused{QStringLiteral("notAnImage")};
    if (image.width() > maxSide || image.height() > maxSide)
        image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}
