#pragma once

#include <QString>

// The application's own files: the picture folder, the store with its
// tables and the two built-in scenarios.
class DelegateManager {
public:
    static DelegateManager *instance();
    static QString imageFolderPath();

    // The picture folder; then, only when the store file does not exist yet,
    // the tables and the built-in scenarios.
    void initApplicationNeedData();
    void initNeedFiles();
    void deleteNeedFiles();
    void initHomeSceneArray();

private:
    DelegateManager() = default;
};
