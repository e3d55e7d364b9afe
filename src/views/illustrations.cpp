// SPDX-License-Identifier: GPL-3.0-or-later
#include "illustrations.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

QString Illustrations::pathOf(const QString &name)
{
    QString base = name;
    if (base.endsWith(QLatin1String(".png")))
        base.chop(4);
    return QStringLiteral(":/pictures/%1.svg").arg(base);
}

bool Illustrations::has(const QString &name)
{
    return QFileInfo::exists(pathOf(name));
}

QSize Illustrations::naturalSize(const QString &name)
{
    if (!has(name))
        return {};
    return QSvgRenderer(pathOf(name)).defaultSize();
}

QPixmap Illustrations::inBox(const QString &name, const QSize &box, qreal devicePixelRatio)
{
    if (!has(name) || box.isEmpty())
        return {};
    QSvgRenderer renderer(pathOf(name));
    QPixmap pixmap(box * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QSizeF fitted = QSizeF(renderer.defaultSize()).scaled(box, Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(QPointF((box.width() - fitted.width()) / 2,
                                             (box.height() - fitted.height()) / 2),
                                     fitted));
    return pixmap;
}

QPixmap Illustrations::toWidth(const QString &name, int width, qreal devicePixelRatio)
{
    const QSize natural = naturalSize(name);
    if (natural.isEmpty() || width <= 0)
        return {};
    const int height = qRound(double(width) * natural.height() / natural.width());
    return inBox(name, QSize(width, height), devicePixelRatio);
}
