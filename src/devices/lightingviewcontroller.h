#pragma once

#include "../views/vtsimpleslider.h"
#include "devicetableviewcontroller.h"

class QPushButton;

// The lights: ON/OFF for switched lights, a level slider for an expanded dimmer.
class LightingViewController : public DeviceTableViewController, public VtSimpleSliderTarget {
    Q_OBJECT

public:
    explicit LightingViewController(QWidget *parent = nullptr);

    void cellSwitchButtonPressed(int row, bool on);
    void VtSimpleSliderViewTouched(VtSimpleSlider *slider) override;

protected:
    VtMoveCell *makeCell(int row, const QVariantMap &record) override;
    bool mayExpand(const QVariantMap &record) const override;
};
