// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>

// The web remote's texts in the browser's language, from the app's own
// translation tables (compiled into the program): shared texts keep the
// app's wording, the page's own live in the "WebRemote" context.
class WebPageTexts {
public:
    // "zh_CN" or "en" for an Accept-Language header (English when neither is asked for).
    static QString languageFor(const QByteArray &acceptLanguage);
    // Every text of the page by its key.
    static QJsonObject texts(const QString &language);
    // One of them.
    static QString text(const char *key, const QString &language);
    // A text of the app's, from that context, in that language; the text
    // itself when the table has none for it.
    static QString translated(const char *context, const QString &source, const QString &language);
    // The texts of that context in that language, for the app's parts that take their words so.
    static std::function<QString(const char *)> wordsOf(const char *context,
                                                        const QString &language);
    // A toast of the home's flows (shown in English by the bridge) in that
    // language; the text itself when the flows' tables have none for it.
    static QString toastText(const QString &english, const QString &language);
    // The page's HTML with each {{key}} filled in, its language set and all
    // texts handed to its script (in a data attribute: no inline script).
    static QByteArray render(const QByteArray &html, const QString &language);
};
