#pragma once

#include <QString>

class StartUpView;

// The application's own files: the picture folder, the store with its
// tables and the two built-in scenarios.
class DelegateManager {
public:
    static DelegateManager *instance();
    static QString imageFolderPath();
    // Its presence alone marks the installation as set up.
    static QString markerPath();

    // When the start-up logo has run: a first start (no marker) builds the
    // first-run data, shows the welcome pages and writes the marker; a later
    // start hides the logo and lets the top screen refresh. The view may be
    // null (no screens).
    void hideFirstLogoView(StartUpView *view);

    // The picture folder; then, only when the store file does not exist yet,
    // the tables and the built-in scenarios.
    void initApplicationNeedData();
    void initNeedFiles();
    void deleteNeedFiles();
    void initHomeSceneArray();

private:
    DelegateManager() = default;
};
