// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtGlobal>

// What every fuzz target needs once per process: a Qt application for the
// objects that need one, a data folder of its own (the store and pictures
// live there, never in the user's), quiet logging.
class FuzzProcess {
public:
    static void start(int *argc, char ***argv)
    {
        static QTemporaryDir dataHome;
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        qputenv("QT_LOGGING_RULES", "*=false");
        static QCoreApplication app(*argc, *argv);
        QCoreApplication::setApplicationName(QStringLiteral("ardentia-fuzz"));
    }
};

// libFuzzer's bytes as Qt's.
inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
