// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Text from outside (a device's name, a topic, a browser's header) made safe
// to print on a terminal or into a log: every control character (C0, DEL,
// C1, line and paragraph separators, the marks and overrides that turn text
// around) becomes U+FFFD, a tab or line break a space, so that no escape
// sequence, bell or forged line reaches whoever reads it. Printable text, any
// language's, stays as it is.
QString printableText(const QString &text);

// Makes every log message of the program printable (as printableText does)
// before the message handler in place writes it.
void keepLogMessagesPrintable();
