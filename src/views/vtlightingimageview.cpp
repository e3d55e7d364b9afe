// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtlightingimageview.h"

#include "store/channel.h"
#include "store/recordkeys.h"

#include <QPainter>

VtLightingImageView::VtLightingImageView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(60, 60);
}

VtLightingImageView *VtLightingImageView::rowIcon(QWidget *row, const QPixmap &picture,
                                                  int lightType)
{
    auto *icon = new VtLightingImageView(row);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    icon->setPicture(picture, lightType);
    icon->setFixedSize(50, 50);
    icon->move(10, 5);
    return icon;
}

std::pair<QString, int> VtLightingImageView::pictureOf(const QVariantMap &record)
{
    const QString type = record.value(Key::type).toString();
    if (type == Value::superBox)
        return {QStringLiteral("device_SuperBox"),
                record.value(Key::imageName) == Value::master ? 4 : 5};
    if (type == Value::curtain)
        return {QStringLiteral("device_Curtain"), 3};
    return {QStringLiteral("device_Light"), Channel::isDimmer(record) ? 2 : 1};
}

void VtLightingImageView::setPicture(const QPixmap &picture, int lightType)
{
    m_picture = picture;
    m_type = lightType;
    update();
}

void VtLightingImageView::paintEvent(QPaintEvent *)
{
    static const QColor frames[] = {Qt::transparent,      QColor(230, 180, 80),
                                    QColor(240, 140, 60), QColor(120, 160, 190),
                                    QColor(69, 61, 59),   QColor(140, 130, 120)};
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(frames[qBound(0, m_type, 5)], 3));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 10, 10);
    if (!m_picture.isNull())
        painter.drawPixmap(rect().adjusted(6, 6, -6, -6), m_picture);
}

void VtLightingImageView::mouseReleaseEvent(QMouseEvent *)
{
    Q_EMIT pressed();
}
