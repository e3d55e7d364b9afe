// SPDX-License-Identifier: GPL-3.0-or-later
#include "homelists.h"

#include "livehome.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "useordering.h"

#include <algorithm>

namespace {
struct BuiltIn {
    QString mainID;
    QString englishTitle;
    QString chineseTitle;
    QVariantMap (*make)();
};

// All On and All Off with their titles as made in either language.
const QList<BuiltIn> &builtIns()
{
    static const QList<BuiltIn> all{
        {Value::allOnMainID, QStringLiteral("All On Mode"), QStringLiteral("全开模式"),
         &RecordFactory::allOnScenario},
        {Value::allOffMainID, QStringLiteral("All Off Mode"), QStringLiteral("全关模式"),
         &RecordFactory::allOffScenario},
    };
    return all;
}

std::optional<QList<QVariantMap>> devicesOfType(const HomeServices &home, const QString &type)
{
    std::optional<QList<QVariantMap>> devices =
        home.store.mainDevicesIfReadable(QVariantMap{{Key::type, type}});
    if (!devices)
        return std::nullopt;
    UseOrdering::updateArrayFBTSWithArray(*devices);
    return home.live.withConfirmedStates(std::move(*devices));
}
} // namespace

void HomeLists::renewBuiltInScenarios(Database &storeToRenew)
{
    const bool english = RecordFactory::interfaceIsEnglish();
    Database *store = &storeToRenew;
    const Database::Session session(store);
    // A store that cannot be read holds built-ins all the same: rewriting
    // them would only reset their use counters once it can be read again.
    const std::optional<Database::Records> scenarios = store->scenariosIfReadable();
    if (!scenarios)
        return;
    for (const BuiltIn &builtIn : builtIns()) {
        // The last record of the number, as the store reads one.
        const auto stored =
            std::find_if(scenarios->crbegin(), scenarios->crend(), [&](const QVariantMap &s) {
                return s.value(Key::mainID).toString() == builtIn.mainID;
            });
        const bool found = stored != scenarios->crend();
        const QString title = found ? stored->value(Key::title).toString() : QString();
        const QString otherLanguage = english ? builtIn.chineseTitle : builtIn.englishTitle;
        if (found && !title.isEmpty() && title != otherLanguage)
            continue;
        store->deleteScenarioWithMainID(builtIn.mainID);
        store->insertScenarioWithInfo(builtIn.make());
    }
}

bool HomeLists::hasMadeTitle(const QString &mainID, const QString &title)
{
    return std::any_of(builtIns().cbegin(), builtIns().cend(), [&](const BuiltIn &builtIn) {
        return builtIn.mainID == mainID &&
               (title == builtIn.englishTitle || title == builtIn.chineseTitle);
    });
}

std::optional<HomeLists> HomeLists::load(const HomeServices &home)
{
    renewBuiltInScenarios(home.store);
    std::optional<QList<QVariantMap>> lights = devicesOfType(home, Value::lighting);
    std::optional<QList<QVariantMap>> curtains =
        lights ? devicesOfType(home, Value::curtain) : std::nullopt;
    std::optional<QList<QVariantMap>> scenarios =
        curtains ? home.store.scenariosIfReadable() : std::nullopt;
    if (!scenarios)
        return std::nullopt;
    UseOrdering::updateArrayFBTSWithArray(*scenarios);
    return HomeLists{std::move(*lights), std::move(*curtains), std::move(*scenarios)};
}
