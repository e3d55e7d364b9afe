// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devicetableviewcontroller.h"

// The curtains: an expanded row opens, closes or stops its motor.
class CurtainViewController : public DeviceTableViewController {
    Q_OBJECT

public:
    explicit CurtainViewController(const HomeServices &home, QWidget *parent = nullptr);
    // Motion "1" open, "0" close, "2" stop.
    void cellControlButtonPressed(int row, const QString &motion);

protected:
    VtMoveCell *makeCell(int row, const QVariantMap &record) override;
    bool mayExpand(const QVariantMap &) const override { return true; }
    bool showsStates() const override { return true; }
};
