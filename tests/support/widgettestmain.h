// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testmain.h"

#include "enrol/scancamera.h"
#include "freshprogram.h"
#include "views/onscreenkeyboard.h"

#include <QApplication>

#include <memory>

// Screens under test use no camera: no multimedia back end (and its threads)
// is started, whatever the machine has. Each test's fresh program has the
// app's on-screen keyboard, as the app's own has.
inline void prepareScreenTest()
{
    ScanCamera::setCamerasAllowed(false);
    FreshProgram::setFrontEnd(
        [](ProgramObjects &objects) { objects.adopt(std::make_unique<OnScreenKeyboard>()); });
}

// The entry of tests of screens: a QApplication (on the offscreen platform
// that CTest sets), no cameras, and whatever the screens need first (their pictures).
#define ARDENTIA_WIDGET_TEST_MAIN(TestClass, Prepare)                                              \
    inline void prepare##TestClass()                                                               \
    {                                                                                              \
        prepareScreenTest();                                                                       \
        Prepare();                                                                                 \
    }                                                                                              \
    ARDENTIA_TEST_MAIN_WITH(QApplication, TestClass, prepare##TestClass)
