// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A text as a QR code drawn with block characters, two rows of modules to a
// line of text, dark on light with a quiet zone, for a phone's camera to read
// off a terminal. Empty when the text does not fit a QR code.
QString terminalQrCode(const QString &text);
