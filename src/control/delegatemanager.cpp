// SPDX-License-Identifier: GPL-3.0-or-later
#include "delegatemanager.h"

#include "base/documents.h"
#include "base/logging.h"
#include "store/database.h"
#include "store/recordfactory.h"

#include "startupview.h"
#include "udpsocketmanager.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QString DelegateManager::imageFolderPath()
{
    return Documents::pictureFolderPath();
}

QString DelegateManager::markerPath()
{
    return Documents::filePath(QStringLiteral("MAININFORMATION.plist"));
}

QString DelegateManager::welcomeMarkerPath()
{
    return Documents::filePath(QStringLiteral("WELCOMESHOWN.plist"));
}

namespace {
// An empty dictionary, written whole or not at all.
void writeMarker(const QString &path)
{
    QSaveFile marker(path);
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<plist version=\"1.0\">\n<dict/>\n</plist>\n");
        marker.commit();
    }
}
} // namespace

void DelegateManager::hideFirstLogoView(StartUpView *view)
{
    if (!QFileInfo::exists(markerPath())) {
        // A store that cannot be read may hold a home: only an empty one is
        // reset (a new file gets its tables first, so that it reads empty).
        m_store.creatDatabase();
        const auto transmitters = m_store.superBoxesIfReadable();
        if (transmitters && transmitters->isEmpty())
            cleanAllData();
        else
            qCInfo(lcStore) << "the data folder holds a home already: kept as it is";
        writeMarker(markerPath());
    }
    // Pictures a scenario left behind (replaced, or its scenario deleted
    // while a wipe could not finish) go at each start.
    m_store.removeUnreferencedPictures();
    if (QFileInfo::exists(welcomeMarkerPath())) {
        if (view)
            view->hideLogoAndRefresh();
        return;
    }
    if (view)
        view->showWelcomePages();
    writeMarker(welcomeMarkerPath());
}

void DelegateManager::initApplicationNeedData()
{
    initNeedFiles();
    if (QFileInfo::exists(Database::databasePath()))
        return;
    m_store.creatDatabase();
    initHomeSceneArray();
    writeMarker(markerPath());
}

bool DelegateManager::cleanAllData()
{
    // Emptied in place: ardentia-ctl or the bridge may hold the file open.
    if (!m_store.wipeHome()) {
        qCWarning(lcStore).noquote()
            << QStringLiteral("Error: %1").arg("the store could not be emptied");
        return false; // the pictures stay with the records that stay
    }
    // The pictures belonged to the records that went.
    deleteNeedFiles();
    initNeedFiles();
    return true;
}

void DelegateManager::initNeedFiles()
{
    Documents::ensurePictureFolder();
}

void DelegateManager::deleteNeedFiles()
{
    Documents::removePictureFolder();
}

void DelegateManager::initHomeSceneArray()
{
    Database *store = &m_store;
    store->insertScenarioWithInfo(RecordFactory::allOnScenario());
    store->insertScenarioWithInfo(RecordFactory::allOffScenario());
}
