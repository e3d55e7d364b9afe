// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command/reply round trips through the datagram channel against an echo
// peer on loopback, next to the same exchange on two raw sockets.
void runChannelBench(int exchanges);
