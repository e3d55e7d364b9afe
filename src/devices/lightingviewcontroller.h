// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devicetableviewcontroller.h"

class QPushButton;

// The lights: ON/OFF for switched lights, a level slider for an expanded
// dimmer. Each row shows the stored state: the current one of ON and OFF is
// checked, a dimmer shows its level. It changes when the home has confirmed
// a state (an acknowledgement, a state answer, a scenario run), never on the
// press; a light that did not answer its state query shows "Unknown"
// instead (under a switch's ON and OFF, neither of them checked).
class LightingViewController : public DeviceTableViewController {
    Q_OBJECT

public:
    explicit LightingViewController(const HomeServices &home, QWidget *parent = nullptr);

    void cellSwitchButtonPressed(int row, bool on);

protected:
    VtMoveCell *makeCell(int row, const QVariantMap &record) override;
    bool mayExpand(const QVariantMap &record) const override;
    bool showsStates() const override { return true; }

private:
    // Only the state: the row's expansion is the screen's own.
    // The state the home confirmed last, or that it could not tell one.
    void showLiveState(const QString &deviceId);
    int rowOfDevice(const QString &deviceId) const;
    static void showState(VtMoveCell *cell, const QVariantMap &record);
};
