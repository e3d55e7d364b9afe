#pragma once

#include "devicetableviewcontroller.h"

class QPushButton;

// The lights: ON/OFF for switched lights, a level slider for an expanded dimmer.
class LightingViewController : public DeviceTableViewController {
    Q_OBJECT

public:
    explicit LightingViewController(QWidget *parent = nullptr);

    void cellSwitchButtonPressed(int row, bool on);

protected:
    VtMoveCell *makeCell(int row, const QVariantMap &record) override;
    bool mayExpand(const QVariantMap &record) const override;
};
