// SPDX-License-Identifier: GPL-3.0-or-later
#include "pendingpictures.h"

#include <QBuffer>
#include <QRandomGenerator>

QString PendingPictures::add(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    quint32 random[4];
    QRandomGenerator::system()->fillRange(random);
    const QString name =
        QStringLiteral("upload-") +
        QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(random), sizeof random).toHex());
    m_held.append({name, png});
    while (m_held.size() > kKept)
        m_held.removeFirst();
    return name;
}

bool PendingPictures::holds(const QString &name) const
{
    return std::any_of(m_held.cbegin(), m_held.cend(),
                       [&name](const auto &held) { return held.first == name; });
}

std::optional<QByteArray> PendingPictures::take(const QString &name)
{
    for (qsizetype i = 0; i < m_held.size(); ++i)
        if (m_held.at(i).first == name)
            return m_held.takeAt(i).second;
    return std::nullopt;
}
