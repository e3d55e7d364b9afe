#pragma once

#include "gateway/localaddress.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTest>

// The one entry of every test executable. Before anything else it pins the
// network interface to loopback, so that no code path under test (a
// rediscovery timer, a broadcast) can reach a real interface, and keeps the
// data directory away from the user's.
#define ARDENTIA_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        LocalAddress::setInterfaceOverride(QStringLiteral("lo"));                                  \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QCoreApplication app(argc, argv);                                                          \
        app.setApplicationName(QStringLiteral("ardentia-home"));                                   \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
