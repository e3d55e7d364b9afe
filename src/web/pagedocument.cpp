// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagedocument.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {
const QRegularExpression
    kStyleLink(QStringLiteral(R"re(<link rel="stylesheet" href="(/[\w-]+\.css)">)re"));
const QRegularExpression kModuleScript(
    QStringLiteral(R"re(<script type="module" async src="(/[\w-]+\.js)"></script>)re"));
const QRegularExpression
    kModulePreload(QStringLiteral(R"re(<link rel="modulepreload" href="/[\w-]+\.js">\n?)re"));
// A static import of names from a sibling module, on a line of its own.
const QRegularExpression
    kImport(QStringLiteral(R"re(^import (\{[\w\s,]*\}) from '\./(\w+)\.js';$)re"),
            QRegularExpression::MultilineOption);
// A static import of any form; a dynamic one (import(...)) fetches its file when it runs.
const QRegularExpression kAnyImport(QStringLiteral(R"re(^import\b(?!\s*\())re"),
                                    QRegularExpression::MultilineOption);
const QRegularExpression kExport(QStringLiteral(R"re(^export (?:function|const) (\w+))re"),
                                 QRegularExpression::MultilineOption);
const QRegularExpression kExportWord(QStringLiteral(R"re(^export )re"),
                                     QRegularExpression::MultilineOption);

// Whether text can go inside that element as it is.
bool fitsInto(const QString &text, const QString &tag)
{
    return !text.contains(QStringLiteral("</") + tag, Qt::CaseInsensitive) &&
           !text.contains(QStringLiteral("<!--"));
}

// The modules of one page made one: each imported module, before whatever
// imports it, runs once in a function of its own that hands over what it
// exports, and each import takes its names from there; the first module's
// own text comes last. Nothing when a module is missing, imports or
// exports in another way, is imported by a module it imports, or does not
// fit into a script element.
class ModuleBundle {
public:
    explicit ModuleBundle(const PageDocument::FileReader &read) : m_read(read) {}

    std::optional<QString> of(const QString &path)
    {
        const std::optional<QString> body = importsResolved(path);
        if (!body)
            return std::nullopt;
        return m_modules + *body;
    }

private:
    // The module's text, each import taking its names from a module added before it.
    std::optional<QString> importsResolved(const QString &path)
    {
        QString text = QString::fromUtf8(m_read(path));
        if (text.isEmpty() || !fitsInto(text, QStringLiteral("script")) ||
            text.count(kAnyImport) != text.count(kImport) ||
            text.count(kExportWord) != text.count(kExport))
            return std::nullopt;
        for (const QRegularExpressionMatch &import : kImport.globalMatch(text)) {
            if (!add(import.captured(2)))
                return std::nullopt;
        }
        text.replace(kImport, QStringLiteral("const \\1 = module$\\2;"));
        return text;
    }

    bool add(const QString &module)
    {
        if (m_added.contains(module))
            return true;
        // Modules that import each other cannot each come first.
        if (m_adding.contains(module))
            return false;
        m_adding.append(module);
        const std::optional<QString> body = importsResolved(QStringLiteral("/%1.js").arg(module));
        m_adding.removeOne(module);
        if (!body)
            return false;
        m_added.append(module);
        QStringList names;
        for (const QRegularExpressionMatch &exported : kExport.globalMatch(*body))
            names.append(exported.captured(1));
        QString inner = *body;
        inner.remove(kExportWord);
        m_modules += QStringLiteral("const module$%1 = (() => {\n%2return { %3 };\n})();\n")
                         .arg(module, inner, names.join(QStringLiteral(", ")));
        return true;
    }

    const PageDocument::FileReader &m_read;
    QStringList m_added;  // their text in m_modules
    QStringList m_adding; // those whose imports are being added
    QString m_modules;
};
} // namespace

QByteArray PageDocument::built(const QByteArray &document, const FileReader &read)
{
    QString page = QString::fromUtf8(document);
    const QRegularExpressionMatch style = kStyleLink.match(page);
    const QRegularExpressionMatch script = kModuleScript.match(page);
    if (!style.hasMatch() || !script.hasMatch())
        return document;
    const QString css = QString::fromUtf8(read(style.captured(1)));
    const std::optional<QString> bundle = ModuleBundle(read).of(script.captured(1));
    if (css.isEmpty() || !fitsInto(css, QStringLiteral("style")) || !bundle)
        return document;
    // The script first: replacing the style moves what follows it.
    page.replace(script.capturedStart(), script.capturedLength(),
                 QStringLiteral("<script type=\"module\" async>\n%1</script>").arg(*bundle));
    page.replace(style.capturedStart(), style.capturedLength(),
                 QStringLiteral("<style>\n%1</style>").arg(css));
    page.remove(kModulePreload);
    return page.toUtf8();
}
