// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext.h"

namespace {
QByteArray withoutIndentation(const QByteArray &line)
{
    qsizetype start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
    return line.mid(start);
}

// The text without the spaces and tabs that begin its lines, nor its empty
// lines. The first line is taken as the start of one only when told: a part
// of a document may begin in the middle of a line, where a space is text.
QByteArray unindented(const QByteArray &text, bool startsALine)
{
    QByteArray result;
    result.reserve(text.size());
    bool atLineStart = startsALine;
    for (const char c : text) {
        if (atLineStart && (c == ' ' || c == '\t' || c == '\n'))
            continue;
        result += c;
        atLineStart = c == '\n';
    }
    return result;
}

// Whether the line leaves a template literal open (or closes one that was):
// an odd number of backticks not escaped.
bool togglesTemplate(const QByteArray &line)
{
    int backticks = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '`')
            ++backticks;
    }
    return backticks % 2 == 1;
}

// The text with each /* comment */ outside a quoted string left out; as it
// is when a comment never ends.
QByteArray withoutBlockComments(const QByteArray &text)
{
    QByteArray result;
    result.reserve(text.size());
    char quote = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            result += c;
            if (c == '\\' && i + 1 < text.size())
                result += text[++i];
            else if (c == quote)
                quote = 0;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const qsizetype end = text.indexOf("*/", i + 2);
            if (end < 0)
                return text;
            i = end + 1;
        } else {
            if (c == '"' || c == '\'')
                quote = c;
            result += c;
        }
    }
    return result;
}

// Where the next part of a document that is not markup begins: a comment,
// or the text of a script or style element.
struct NextPart {
    qsizetype start = -1; // where "<!--" or the element's opening tag begins
    QByteArray closing;   // "-->", "</script>" or "</style>"
};

NextPart nextPart(const QByteArray &lower, qsizetype from)
{
    NextPart next;
    for (const auto &[opening, closing] : {std::pair<QByteArray, QByteArray>{"<!--", "-->"},
                                           {"<script", "</script>"},
                                           {"<style", "</style>"}}) {
        const qsizetype at = lower.indexOf(opening, from);
        if (at >= 0 && (next.start < 0 || at < next.start))
            next = {at, closing};
    }
    return next;
}
} // namespace

QByteArray PageText::compacted(const QString &path, const QByteArray &content)
{
    if (path.endsWith(QLatin1String(".js")))
        return compactedScript(content);
    if (path.endsWith(QLatin1String(".css")))
        return compactedStyle(content);
    if (path.endsWith(QLatin1String(".html")))
        return compactedDocument(content);
    return content;
}

// Whole-line // comments, indentation and empty lines go; the lines of a
// template literal that spans lines stay as written.
QByteArray PageText::compactedScript(const QByteArray &script)
{
    bool inTemplate = false;
    QByteArray result;
    result.reserve(script.size());
    const QList<QByteArray> lines = script.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const bool last = i == lines.size() - 1;
        const bool wasInTemplate = inTemplate;
        if (togglesTemplate(line))
            inTemplate = !inTemplate;
        const QByteArray kept = wasInTemplate ? line : withoutIndentation(line);
        if (!wasInTemplate && (kept.isEmpty() || kept.startsWith("//")))
            continue;
        result += kept;
        if (!last)
            result += '\n';
    }
    return result;
}

QByteArray PageText::compactedStyle(const QByteArray &style)
{
    return unindented(withoutBlockComments(style), true);
}

// The markup loses its comments and indentation (unless an element in it
// keeps its spaces as text); the scripts and styles written into it are
// compacted as their files are.
QByteArray PageText::compactedDocument(const QByteArray &document)
{
    const QByteArray lower = document.toLower();
    const bool spacesAreText = lower.contains("<pre") || lower.contains("<textarea");
    QByteArray result;
    const auto markup = [&](qsizetype from, qsizetype to) {
        const QByteArray part = document.mid(from, to - from);
        return spacesAreText ? part : unindented(part, result.isEmpty() || result.endsWith('\n'));
    };
    result.reserve(document.size());
    qsizetype at = 0;
    for (NextPart next = nextPart(lower, 0); next.start >= 0; next = nextPart(lower, at)) {
        const qsizetype end = lower.indexOf(next.closing, next.start);
        const qsizetype tagEnd = document.indexOf('>', next.start);
        if (end < 0 || tagEnd < 0)
            return document;
        if (next.closing == "-->") {
            result += markup(at, next.start);
            at = end + next.closing.size();
            continue;
        }
        result += markup(at, tagEnd + 1);
        const QByteArray text = document.mid(tagEnd + 1, end - tagEnd - 1);
        result += next.closing == "</script>" ? compactedScript(text) : compactedStyle(text);
        at = end;
    }
    return result + markup(at, document.size());
}
