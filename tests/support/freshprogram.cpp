// SPDX-License-Identifier: GPL-3.0-or-later
#include "freshprogram.h"

#include "control/delegatemanager.h"
#include "store/database.h"

namespace {
FreshProgram::FrontEnd g_frontEnd = nullptr;
} // namespace

FreshProgram::FreshProgram(Home home)
{
    if (g_frontEnd)
        g_frontEnd(m_objects);
    if (home == Home::Empty) {
        Database::instance()->removeFiles();
        DelegateManager::instance()->initApplicationNeedData();
    }
}

void FreshProgram::setFrontEnd(FrontEnd addObjects)
{
    g_frontEnd = addObjects;
}
