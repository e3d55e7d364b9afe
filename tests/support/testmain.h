#pragma once

#include "gateway/localaddress.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// The one entry of every test executable. Before anything else it pins the
// network interface to loopback, so that no code path under test (a
// rediscovery timer, a broadcast) can reach a real interface, and gives the
// executable a data directory of its own ($XDG_DATA_HOME in a fresh temporary
// folder), away from the user's and from tests running beside it.
#define ARDENTIA_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        LocalAddress::setInterfaceOverride(QStringLiteral("lo"));                                  \
        QTemporaryDir dataHome;                                                                    \
        if (!dataHome.isValid())                                                                   \
            return 3;                                                                              \
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());                                        \
        QCoreApplication app(argc, argv);                                                          \
        app.setApplicationName(QStringLiteral("ardentia-home"));                                   \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
