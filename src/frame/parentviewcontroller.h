// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parentnavigationviewcontroller.h"

// A screen with the standard bar: a back button on the left and its title.
class ParentViewController : public ParentNavigationViewController {
    Q_OBJECT

public:
    explicit ParentViewController(const QString &title, QWidget *parent = nullptr);
};
