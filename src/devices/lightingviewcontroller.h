#pragma once

#include "core/controlconfirmationscreen.h"
#include "devicetableviewcontroller.h"

class QPushButton;

// The lights: ON/OFF for switched lights, a level slider for an expanded
// dimmer. Each row shows the stored state: the current one of ON and OFF is
// checked, a dimmer shows its level. It changes when the home has taken a
// command (the store follows the acknowledgement), never on the press.
class LightingViewController : public DeviceTableViewController, public ControlConfirmationScreen {
    Q_OBJECT

public:
    explicit LightingViewController(QWidget *parent = nullptr);

    void cellSwitchButtonPressed(int row, bool on);
    void controlConfirmed(const QString &deviceId) override;

protected:
    VtMoveCell *makeCell(int row, const QVariantMap &record) override;
    bool mayExpand(const QVariantMap &record) const override;

private:
    static void showState(VtMoveCell *cell, const QVariantMap &record);
};
