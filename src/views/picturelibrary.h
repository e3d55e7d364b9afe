// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// The pictures the screens name ("device_Light", "icon_choose_small_3.png",
// ...), drawn for this app. Unknown names give a null picture.
class PictureLibrary {
public:
    // Drawn at the screen's pixel density: side is in points.
    static QPixmap picture(const QString &name, int side = 60);
    // Pixels per point of the densest screen (2 on a high-density one).
    static qreal pixelRatio();
    static bool has(const QString &name);
    static QString scenarioIconName(int number); // "icon_choose_small_%d.png"
    static constexpr int kScenarioIcons = 10;
};
