// SPDX-License-Identifier: GPL-3.0-or-later
#include "printabletext.h"

#include <cstdio>
#include <utility>

namespace {
bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

QtMessageHandler g_next = nullptr;
bool g_installed = false;

void printableMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QString printable = printableText(message);
    if (g_next) {
        g_next(type, context, printable);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, printable)));
}
} // namespace

QString printableText(const QString &text)
{
    QString printable = text;
    for (QChar &c : printable) {
        if (!isControl(c.unicode()))
            continue;
        // White space keeps its place; the rest shows that something was there.
        const bool space = c == u'\t' || c == u'\n' || c == u'\r';
        c = space ? QChar(u' ') : QChar(QChar::ReplacementCharacter);
    }
    return printable;
}

void keepLogMessagesPrintable()
{
    if (!std::exchange(g_installed, true))
        g_next = qInstallMessageHandler(printableMessage);
}
