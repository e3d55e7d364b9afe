// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QVariantMap>

#include <functional>

// Builds the records the system creates, so that no caller spells out a key
// or a creation value.
class RecordFactory {
    Q_DECLARE_TR_FUNCTIONS(RecordFactory)

public:
    // The localized default title of the master or of a slave transmitter.
    // Its texts (sources marked for translation) in a language: the app's
    // own by default; a page of the web remote has its own.
    using Words = std::function<QString(const char *source)>;
    static QString appWords(const char *source) { return tr(source); }
    static QString transmitterTitle(bool master, const Words &words = appWords);
    // Whether the interface speaks English (the built-in titles tell).
    static bool interfaceIsEnglish();
    static QVariantMap transmitter(const QString &id, const QString &address, bool master);
    // One channel of a controller; control is "S", "D" or "C".
    static QVariantMap device(const QString &id, const QString &control, const QString &mainTotalID,
                              const QString &title);
    static QVariantMap allOnScenario();
    static QVariantMap allOffScenario();
    static QVariantMap userScenario(const QString &mainID, const QString &title,
                                    const QString &imagePath, const QVariantList &devices);

    // A scenario of the user (its device list is a list, not the built-ins' text).
    static bool isUserScenario(const QVariantMap &scenario);
    // The devices of a user scenario; none for the built-ins.
    static QVariantList sceneDevices(const QVariantMap &scenario);
};
