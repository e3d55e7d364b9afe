// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// The form of a transmitter's, a controller's or a channel's ID: at least 12
// ASCII letters and digits, as codes and their channels give them. Nothing
// else is an ID: a "/" or a "+" would name another channel's MQTT topic, a
// "," would split a command line.
class UnitId {
public:
    static constexpr qsizetype kMinLength = 12;

    static bool isValid(QStringView id);
};
