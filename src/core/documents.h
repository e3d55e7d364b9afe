#pragma once

#include <QString>

// The application's documents directory ($XDG_DATA_HOME/ardentia-home/Documents),
// shared by the app and the command-line tool, created when missing.
class Documents {
public:
    static QString directory();
    static QString filePath(const QString &name);
    // Tests and tools may point it elsewhere; empty restores the default.
    static void setDirectoryOverride(const QString &path);
};
