#include "homelists.h"

#include "core/useordering.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

namespace {
struct BuiltIn {
    QString mainID;
    QString englishTitle;
    QString chineseTitle;
    QVariantMap (*make)();
};

QList<QVariantMap> devicesOfType(const QString &type)
{
    QList<QVariantMap> devices =
        Database::instance()->readAllMainDeviceInfo(QVariantMap{{Key::type, type}});
    return UseOrdering::updateArrayFBTSWithArray(devices);
}
} // namespace

void HomeLists::renewBuiltInScenarios()
{
    const BuiltIn builtIns[] = {
        {Value::allOnMainID, QStringLiteral("All On Mode"), QStringLiteral("全开模式"),
         &RecordFactory::allOnScenario},
        {Value::allOffMainID, QStringLiteral("All Off Mode"), QStringLiteral("全关模式"),
         &RecordFactory::allOffScenario},
    };
    const bool english = RecordFactory::interfaceIsEnglish();
    Database *store = Database::instance();
    const Database::Session session(store);
    for (const BuiltIn &builtIn : builtIns) {
        const std::optional<QVariantMap> stored = store->scenarioRecordWithMainID(builtIn.mainID);
        const QString title = stored ? stored->value(Key::title).toString() : QString();
        const QString otherLanguage = english ? builtIn.chineseTitle : builtIn.englishTitle;
        if (stored && !title.isEmpty() && title != otherLanguage)
            continue;
        store->deleteScenarioWithMainID(builtIn.mainID);
        store->insertScenarioWithInfo(builtIn.make());
    }
}

HomeLists HomeLists::load()
{
    renewBuiltInScenarios();
    HomeLists lists;
    lists.lightingArray = devicesOfType(Value::lighting);
    lists.curtainArray = devicesOfType(Value::curtain);
    lists.scenarioArray = Database::instance()->readAllScenarioInfo();
    UseOrdering::updateArrayFBTSWithArray(lists.scenarioArray);
    return lists;
}
