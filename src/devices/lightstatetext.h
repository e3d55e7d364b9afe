// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVariantMap>

// How a light's stored state reads wherever it is shown: "ON" or "OFF" for
// a switched light, its level ("60%") for a dimmer, "Unknown" when it did
// not answer its last state query; nothing for a record without a state
// (curtains, scenarios).
class LightStateText {
    Q_DECLARE_TR_FUNCTIONS(LightStateText)

public:
    static QString of(const QVariantMap &record);
    // A dimmer's level: "60%".
    static QString level(int percent);
    // "Hall: ON", or the name alone when there is no state.
    static QString spoken(const QVariantMap &record);
};
