// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The QR code of a text as an SVG picture: dark modules on white, with a
// quiet zone of 2 modules, sharp at any size. Empty when the text cannot
// be encoded.
QByteArray qrCodeSvg(const QString &text);
