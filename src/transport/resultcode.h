// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The result codes transmitters answer with in a reply's code field. Any
// other value but Accepted is a plain failure.
struct ResultCode {
    enum : int {
        Accepted = 0,
        ControllerSilent = 135, // the controller did not answer the radio
        SlaveUnreachable = 137, // the slave transmitter relaying to it did not answer
        Full = 140,             // no room for another transmitter or controller
        UnknownChannel = 141,   // the master does not know the channel
        AlreadyMaster = 142,
        AlreadySlave = 143,
    };
};
