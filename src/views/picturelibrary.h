#pragma once

#include <QPixmap>
#include <QString>

// The pictures the screens name ("device_Light", "icon_choose_small_3.png",
// ...), drawn for this app. Unknown names give a null picture.
class PictureLibrary {
public:
    static QPixmap picture(const QString &name, int side = 60);
    static bool has(const QString &name);
    static QString scenarioIconName(int number); // "icon_choose_small_%d.png"
    static constexpr int kScenarioIcons = 10;
};
