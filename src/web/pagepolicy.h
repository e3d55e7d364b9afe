// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The page's content security policy: nothing but its own files and host,
// and of the scripts and styles written into a document only those it
// carries itself, each named by its SHA-256.
class PagePolicy {
public:
    static QByteArray of(const QByteArray &document);
};
