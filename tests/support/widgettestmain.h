#pragma once

#include "testmain.h"

#include <QApplication>

// The entry of tests of screens: a QApplication (on the offscreen platform
// that CTest sets) and whatever the screens need first (their pictures).
#define ARDENTIA_WIDGET_TEST_MAIN(TestClass, Prepare)                                              \
    ARDENTIA_TEST_MAIN_WITH(QApplication, TestClass, Prepare)
