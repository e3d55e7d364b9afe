// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/localaddress.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// Before anything else, every test executable pins the network interface to
// loopback, so that no code path under test (a rediscovery timer, a
// broadcast) can reach a real interface, and gets a data directory of its
// own ($XDG_DATA_HOME in a fresh temporary folder), away from the user's and
// from tests running beside it. False when no such folder can be made.
inline bool prepareTestProcess(const QTemporaryDir &dataHome)
{
    LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
    if (!dataHome.isValid())
        return false;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    return true;
}

#define ARDENTIA_TEST_MAIN_WITH(Application, TestClass, Prepare)                                   \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        QTemporaryDir dataHome;                                                                    \
        if (!prepareTestProcess(dataHome))                                                         \
            return 3;                                                                              \
        Application app(argc, argv);                                                               \
        app.setApplicationName(QStringLiteral("ardentia-home"));                                   \
        Prepare();                                                                                 \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

inline void nothingMoreToPrepare() {}

// The one entry of every test executable.
#define ARDENTIA_TEST_MAIN(TestClass)                                                              \
    ARDENTIA_TEST_MAIN_WITH(QCoreApplication, TestClass, nothingMoreToPrepare)
