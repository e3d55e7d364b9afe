// SPDX-License-Identifier: GPL-3.0-or-later
#include "streamplan.h"

bool StreamPlan::parse(const QString &text, QString *error)
{
    const QString name = text.section(QLatin1Char(':'), 0, 0);
    const QString value = text.section(QLatin1Char(':'), 1);
    bool ok = true;
    if (name == QLatin1String("chunks"))
        chunks = qMax(1, value.toInt(&ok));
    else if (name == QLatin1String("slow"))
        delayMs = qMax(0, value.toInt(&ok));
    else if (name == QLatin1String("split-marker"))
        splitMarker = true;
    else if (name == QLatin1String("cut"))
        cut = true;
    else if (name == QLatin1String("silent"))
        silent = true;
    else
        ok = false;
    if (!ok && error)
        *error = QStringLiteral("stream fault \"%1\" is not chunks:N, slow:MS, split-marker, cut "
                                "or silent")
                     .arg(text);
    return ok;
}

namespace {
QList<QByteArray> evenPieces(const QByteArray &text, int count)
{
    QList<QByteArray> pieces;
    const qsizetype size = qMax<qsizetype>(1, (text.size() + count - 1) / qMax(1, count));
    for (qsizetype start = 0; start < text.size(); start += size)
        pieces.append(text.mid(start, size));
    return pieces;
}
} // namespace

QList<QByteArray> StreamPlan::chunksOf(const QByteArray &text) const
{
    const QByteArray marker = "$req,gw,end,import";
    const qsizetype markerAt = text.indexOf(marker);
    const QByteArray before = markerAt < 0 ? text : text.left(markerAt);
    if (cut)
        return evenPieces(before, chunks);
    if (splitMarker) {
        // The marker straddles the last two chunks.
        const qsizetype at = markerAt + marker.size() / 2;
        return evenPieces(text.left(at), qMax(1, chunks - 1)) << text.mid(at);
    }
    if (chunks == 1 || markerAt < 0)
        return evenPieces(text, chunks);
    // As a transmitter sends it: the end marker whole in the last chunk.
    return evenPieces(before, chunks - 1) << text.mid(markerAt);
}
