// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The page's document as a browser best takes it on a first visit: one
// answer that carries the style sheet and the home's scripts (the module the
// document loads and those it imports, one module), so that nothing else is
// fetched before the home can be drawn. Built once from the page's own
// files, which stay as they are; the other screens' modules are still files.
// Should a file not fit (a script importing what is not carried, or text
// that would end the element it is written into), the document stays as it is.
class PageDocument {
public:
    // A page file's content by its path ("/app.js"); empty when there is none.
    using FileReader = std::function<QByteArray(const QString &path)>;

    static QByteArray built(const QByteArray &document, const FileReader &read);
};
