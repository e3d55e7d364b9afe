// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"

#include <QString>

class Database;
class StartUpView;

// The application's own files: the picture folder, the store with its
// tables and the two built-in scenarios.
class DelegateManager final : public OwnedInstance<DelegateManager> {
public:
    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    explicit DelegateManager(Database &store) : m_store(store) {}
    static QString imageFolderPath();
    // Its presence marks the data folder as set up (by the app or ardentia-ctl).
    static QString markerPath();
    // Its presence marks that the app has shown its welcome pages.
    static QString welcomeMarkerPath();

    // When the start-up logo has run. A data folder not set up yet is given
    // the first-run data, unless its store already holds a home (one that
    // ardentia-ctl built, or one whose marker was lost): a home is never
    // wiped here. The app's first start shows the welcome pages; a later one
    // hides the logo and lets the top screen refresh. The view may be null.
    void hideFirstLogoView(StartUpView *view);

    // The picture folder; then, only when the store file does not exist yet,
    // the tables and the built-in scenarios, and the folder's marker.
    void initApplicationNeedData();
    // Empties the store in place to the first-run data (an empty home with
    // the two built-in scenarios) and the picture folder; false when the
    // store could not be emptied (it is then as it was).
    bool cleanAllData();
    void initNeedFiles();
    void deleteNeedFiles();
    void initHomeSceneArray();

private:
    Database &m_store;
};
