// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagepolicy.h"

#include <QCryptographicHash>
#include <QRegularExpression>

namespace {
// The sources of each element of that tag written into the document (a
// script with a src attribute is a file, under 'self').
QByteArray inlineSources(const QByteArray &document, const QString &tag)
{
    const QRegularExpression element(
        QStringLiteral("<%1\\b(?![^>]*\\bsrc=)[^>]*>(.*?)</%1>").arg(tag),
        QRegularExpression::DotMatchesEverythingOption);
    QByteArray sources;
    for (const QRegularExpressionMatch &match : element.globalMatch(QString::fromUtf8(document))) {
        const QByteArray digest =
            QCryptographicHash::hash(match.captured(1).toUtf8(), QCryptographicHash::Sha256);
        sources += " 'sha256-" + digest.toBase64() + '\'';
    }
    return sources;
}
} // namespace

QByteArray PagePolicy::of(const QByteArray &document)
{
    return "default-src 'self'; script-src 'self'" + inlineSources(document, "script") +
           "; style-src 'self'" + inlineSources(document, "style") +
           "; img-src 'self' data:; connect-src 'self'; object-src 'none'; "
           "base-uri 'none'; form-action 'self'; frame-ancestors 'none'";
}
