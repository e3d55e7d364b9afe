// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/channel.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What a message on a channel's "set" topic asks for, read from the forms
// Home Assistant and people send: "ON", "OFF", "OPEN", "CLOSE", "STOP", or
// JSON {"state": ..., "brightness": 0-100}. Any other key (a flash, a
// transition) is refused: the home has no such thing.
class SetPayload {
public:
    using Channel = ChannelKind;
    static constexpr qsizetype kMaxBytes = 1024;

    struct Request {
        enum class Action { Switch, Dim, Move } action = Action::Switch;
        bool on = false;
        // Dim: the level 0-100; -1 to switch on at the light's last level.
        int level = -1;
        // Move: "1" opens, "0" closes, "2" stops.
        QString motion;
    };

    // The request for a channel of this kind; nothing, with the reason in
    // *error, for a payload it cannot take.
    static std::optional<Request> parse(const QByteArray &payload, Channel channel, QString *error);
};
