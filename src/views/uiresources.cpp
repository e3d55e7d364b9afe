// SPDX-License-Identifier: GPL-3.0-or-later
#include "uiresources.h"

#include <QtGlobal>

void initUiResources()
{
    Q_INIT_RESOURCE(resources);
}
