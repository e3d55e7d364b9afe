// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturelibrary.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QtMath>

namespace {
const QColor kInk(69, 61, 59);
const QColor kPaper(227, 215, 205);

void drawBulb(QPainter &p, double s)
{
    p.setPen(QPen(kInk, s / 16));
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QRectF(s * 0.3, s * 0.15, s * 0.4, s * 0.42));
    p.setBrush(kInk);
    p.drawRect(QRectF(s * 0.4, s * 0.6, s * 0.2, s * 0.18));
}

void drawCurtain(QPainter &p, double s)
{
    p.setPen(QPen(kInk, s / 16));
    p.drawLine(QPointF(s * 0.15, s * 0.2), QPointF(s * 0.85, s * 0.2));
    p.setBrush(QColor(200, 120, 100));
    for (double x : {0.18, 0.56}) {
        QPainterPath cloth;
        cloth.moveTo(s * x, s * 0.22);
        cloth.lineTo(s * (x + 0.26), s * 0.22);
        cloth.quadTo(s * (x + 0.13), s * 0.55, s * (x + 0.2), s * 0.82);
        cloth.lineTo(s * x, s * 0.82);
        cloth.closeSubpath();
        p.drawPath(cloth);
    }
}

void drawTransmitter(QPainter &p, double s)
{
    p.setPen(QPen(kInk, s / 16));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(s * 0.2, s * 0.45, s * 0.6, s * 0.3), s * 0.06, s * 0.06);
    p.setBrush(Qt::NoBrush);
    for (double r : {0.12, 0.22})
        p.drawArc(QRectF(s * (0.5 - r), s * (0.42 - r), s * 2 * r, s * 2 * r), 45 * 16, 90 * 16);
}

// Ten scenario icons: a coloured disc with a simple sign each.
void drawScenarioIcon(QPainter &p, double s, int n)
{
    static const QColor colours[] = {
        QColor(90, 90, 140),   QColor(230, 170, 60),  QColor(120, 170, 110), QColor(200, 110, 90),
        QColor(100, 150, 190), QColor(170, 120, 170), QColor(210, 150, 110), QColor(110, 160, 160),
        QColor(150, 140, 120), QColor(160, 160, 160)};
    p.setPen(Qt::NoPen);
    p.setBrush(colours[n % 10]);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    p.setPen(QPen(Qt::white, s / 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF inner(s * 0.3, s * 0.3, s * 0.4, s * 0.4);
    switch (n) {
    case 0: // all off: a moon
        p.drawArc(inner, 60 * 16, 240 * 16);
        break;
    case 1: // all on: a sun
        p.drawEllipse(inner.adjusted(s * 0.06, s * 0.06, -s * 0.06, -s * 0.06));
        break;
    default:
        for (int i = 0; i < n; ++i) // a number of dots tells them apart
            p.drawPoint(QPointF(s * (0.3 + 0.4 * (i % 3) / 2.0), s * (0.35 + 0.15 * (i / 3))));
        break;
    }
}
} // namespace

QString PictureLibrary::scenarioIconName(int number)
{
    return QStringLiteral("icon_choose_small_%1.png").arg(number);
}

bool PictureLibrary::has(const QString &name)
{
    return !picture(name, 8).isNull();
}

qreal PictureLibrary::pixelRatio()
{
    return qGuiApp ? qMax(1.0, qGuiApp->devicePixelRatio()) : 1.0;
}

QPixmap PictureLibrary::picture(const QString &name, int side)
{
    static const QRegularExpression icon(QStringLiteral("^icon_choose_small_(\\d)(\\.png)?$"));
    QString base = name;
    base.remove(QStringLiteral(".png"));
    const QRegularExpressionMatch m = icon.match(name);
    if (!m.hasMatch() && base != QLatin1String("device_Light") &&
        base != QLatin1String("device_Curtain") && base != QLatin1String("device_SuperBox"))
        return {};
    const qreal ratio = pixelRatio();
    QPixmap pixmap(qCeil(side * ratio), qCeil(side * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m.hasMatch())
        drawScenarioIcon(painter, side, m.captured(1).toInt());
    else if (base == QLatin1String("device_Light"))
        drawBulb(painter, side);
    else if (base == QLatin1String("device_Curtain"))
        drawCurtain(painter, side);
    else
        drawTransmitter(painter, side);
    return pixmap;
}
