// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The app's drawn pictures (help steps, welcome pages, guide, about), kept
// as SVG under :/pictures and rendered sharp at the size asked for. Names may
// carry a ".png" ending; an unknown name gives a null picture.
class Illustrations {
public:
    static bool has(const QString &name);
    // The picture's own proportions, in points.
    static QSize naturalSize(const QString &name);
    // Rendered to fit the width (height from its proportions).
    static QPixmap toWidth(const QString &name, int width, qreal devicePixelRatio = 1.0);
    // Rendered into exactly this box, proportions kept, centred.
    static QPixmap inBox(const QString &name, const QSize &box, qreal devicePixelRatio = 1.0);

private:
    static QString pathOf(const QString &name);
};
