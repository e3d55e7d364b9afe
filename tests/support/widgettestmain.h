#pragma once

#include "testmain.h"

#include <QApplication>

// The same for tests of screens: a QApplication (on the offscreen platform
// that CTest sets) and the screens' pictures.
#define ARDENTIA_WIDGET_TEST_MAIN(TestClass, InitResources)                                        \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        LocalAddress::setInterfaceOverride(QStringLiteral("lo"));                                  \
        QTemporaryDir dataHome;                                                                    \
        if (!dataHome.isValid())                                                                   \
            return 3;                                                                              \
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());                                        \
        QApplication app(argc, argv);                                                              \
        app.setApplicationName(QStringLiteral("ardentia-home"));                                   \
        InitResources();                                                                           \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
