// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenhome.h"

#include "control/appdelegate.h"
#include "control/delegatemanager.h"
#include "control/flowfeedback.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "control/staterefresh.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "store/database.h"

HomeServices screenHome()
{
    return {
        *Database::instance(),         *DelegateManager::instance(), *HomeEvents::instance(),
        *AppDelegate::instance(),      *FlowFeedback::instance(),    *UDPSocketManager::instance(),
        *TCPSocketManager::instance(), *StateRefresh::instance(),    *LiveHome::instance()};
}
