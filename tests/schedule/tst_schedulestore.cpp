// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmain.h"
class T : public QObject {
    Q_OBJECT
};
ARDENTIA_TEST_MAIN(T)
#include "tst_schedulestore.moc"
