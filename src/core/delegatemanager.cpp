#include "delegatemanager.h"

#include "../store/database.h"
#include "../store/recordfactory.h"
#include "documents.h"
#include "logging.h"

#include <QDir>
#include <QFileInfo>

DelegateManager *DelegateManager::instance()
{
    static DelegateManager *const manager = new DelegateManager();
    return manager;
}

QString DelegateManager::imageFolderPath()
{
    return Documents::filePath(QStringLiteral("PublicImage"));
}

void DelegateManager::initApplicationNeedData()
{
    initNeedFiles();
    if (QFileInfo::exists(Database::databasePath()))
        return;
    Database::instance()->creatDatabase();
    initHomeSceneArray();
}

void DelegateManager::initNeedFiles()
{
    const QString folder = imageFolderPath();
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder);
}

void DelegateManager::deleteNeedFiles()
{
    const QString folder = imageFolderPath();
    if (!QFileInfo::exists(folder))
        return;
    if (!QDir(folder).removeRecursively())
        qCWarning(lcStore).noquote()
            << QStringLiteral("Error: %1").arg(QStringLiteral("could not remove ") + folder);
}

void DelegateManager::initHomeSceneArray()
{
    Database *store = Database::instance();
    store->insertScenarioWithInfo(RecordFactory::allOnScenario());
    store->insertScenarioWithInfo(RecordFactory::allOffScenario());
}
