#include "vtlightingimageview.h"

#include <QPainter>

VtLightingImageView::VtLightingImageView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(60, 60);
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
