// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QVariantMap>

#include <optional>

#include "homeservices.h"

// What the home screen shows, read from the store each time it is about to
// show: the lights, the curtains and the scenarios, each most used first.
class HomeLists {
public:
    QList<QVariantMap> lightingArray;
    QList<QVariantMap> curtainArray;
    QList<QVariantMap> scenarioArray;

    // Renews the built-in scenarios for the interface language first;
    // nothing when the store could not be read.
    static std::optional<HomeLists> load(const HomeServices &home);

    // The built-in scenarios carry their title in the language they were
    // made in. One that is missing, unreadable or titled in the other
    // language is made again (title in this language, counters reset).
    static void renewBuiltInScenarios(Database &store);
    // Whether a built-in scenario still has the title it was made with (in
    // either language), not one its owner gave it.
    static bool hasMadeTitle(const QString &mainID, const QString &title);
};
