// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"

#include <QObject>
#include <QRect>

#include <optional>

// The on-screen keyboard as the platform's input method reports it (a
// phone's keyboard; a desktop has none): where it covers the window while it
// shows. Tests play a keyboard with setStandIn, as no test platform has one.
class OnScreenKeyboard final : public QObject, public OwnedInstance<OnScreenKeyboard> {
    Q_OBJECT

public:
    // Made by the app with its ProgramObjects (adopt); instance() reaches it meanwhile.
    OnScreenKeyboard();

    // The keyboard's rectangle in window coordinates; empty while it is
    // hidden, or shown where the platform does not say (a floating one).
    QRect area() const;
    // A keyboard over this rectangle instead of the platform's (an empty
    // one: a hidden keyboard); nullopt gives the platform's back.
    void setStandIn(std::optional<QRect> area);

Q_SIGNALS:
    void areaChanged();

private:
    std::optional<QRect> m_standIn;
};
