// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>

// The page's document with the home it draws first inside it, so that the
// home shows before the page's WebSocket is open. The home goes in a JSON
// data block (never run: the page's policy runs no inline script), its
// text escaped so that nothing in a name (a "</script>", a "<!--", a line
// separator) can end the block or change how the document is read.
class FirstHomeDocument {
public:
    // The id of the data block the page reads.
    static constexpr char kBlockId[] = "first-home";

    // The page's HTML with the home's data block at the end of its body.
    static QByteArray render(const QByteArray &html, const QJsonObject &home);
    // The home as JSON that is inert inside an HTML script element.
    static QByteArray inertJson(const QJsonObject &home);
};
