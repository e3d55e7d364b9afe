// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "helpdetailviewcontroller.h"

// A help topic told mostly by its pictures: a long header, then each step
// as a short label with a large picture.
class HelpDetailOtherViewController : public HelpDetailViewController {
    Q_OBJECT

public:
    using HelpDetailViewController::HelpDetailViewController;

protected:
    QWidget *makeRow(int step, const QString &text, int width) override;
};
