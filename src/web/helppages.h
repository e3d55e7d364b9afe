// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

// The app's help topics and installation guide for the web remote, in the
// page's language: each topic's title, its line above the steps, and its
// steps with the app's pictures (served with the page, named here by path).
class HelpPages {
public:
    static QJsonObject forLanguage(const QString &language);
};
