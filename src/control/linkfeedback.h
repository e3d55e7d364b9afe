// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/channelcommand.h"

// What the person sees of the channel to the transmitters: the indicator
// while a command they gave is outstanding, the connection state and its
// banner as replies come or fail to, and the top screen redrawn when a
// command has to wait its turn.
class LinkFeedback {
public:
    void commandSent(const ChannelCommand &command);
    // owned: the reply answers the outstanding command.
    void replied(const ChannelCommand &command, bool owned);
    // A command a person gave, or the link check, went unanswered in its wait.
    void unanswered(const ChannelCommand &command);
    void commandWaits();
};
