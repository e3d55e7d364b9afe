// SPDX-License-Identifier: GPL-3.0-or-later
#include "parentviewcontroller.h"

#include "navigationbar.h"

ParentViewController::ParentViewController(const QString &title, QWidget *parent)
    : ParentNavigationViewController(parent)
{
    setMainNavigationBar();
    navBar()->setLeftIcon(QIcon(QStringLiteral(":/icons/back.svg")), tr("Back"));
    initTitleViewWithText(title, 0);
}
