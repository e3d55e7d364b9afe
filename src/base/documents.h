// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The application's documents directory ($XDG_DATA_HOME/ardentia-home/Documents),
// shared by the app and the command-line tool, created when missing, for its
// user alone (0700): the home's store and the web remote's access are in it.
class Documents {
public:
    static QString directory();
    static QString filePath(const QString &name);
    // The folder of the scenarios' pictures, and its making and removal
    // (a failure to remove is logged).
    static QString pictureFolderPath();
    static void ensurePictureFolder();
    static void removePictureFolder();
    // Tests and tools may point it elsewhere; empty restores the default.
    static void setDirectoryOverride(const QString &path);
    // Every file this process creates from now on is for its user alone
    // (0600): for the programs that keep a home for a service.
    static void keepFilesPrivate();
};
