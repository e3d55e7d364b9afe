// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// A page file as it is sent: the comments and indentation that help whoever
// reads the source are left out (a third of the bytes, and of what the
// browser parses before the home shows). Nothing else changes: line breaks
// stay, so a script means what it meant, and text inside a string, a
// template that spans lines, a <pre> or a <textarea> stays as it is.
class PageText {
public:
    // By the file's extension (.js, .css, .html); any other comes back unchanged.
    static QByteArray compacted(const QString &path, const QByteArray &content);

    static QByteArray compactedScript(const QByteArray &script);
    static QByteArray compactedStyle(const QByteArray &style);
    static QByteArray compactedDocument(const QByteArray &document);
};
