// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/controlrefusalscreen.h"

#include "devices/devicetableviewcontroller.h"

class QLabel;
class QPushButton;
class QScrollArea;

// The first step of a scenario: every device, ticked in the order wanted and
// driven to the state it is to have (real commands), then "Next".
class ChooseControlViewController : public DeviceTableViewController, public ControlRefusalScreen {
    Q_OBJECT

public:
    explicit ChooseControlViewController(const HomeServices &home, QWidget *parent = nullptr);

    // Ticked rows in ticking order, as "0_row".
    const QStringList &selectedEntries() const { return m_needArray; }
    QList<QVariantMap> selectedDevices() const;
    void tick(int row, bool ticked);
    void VtSwitchViewTouched(int row, bool on);
    void VtMoveCellSelector(QWidget *cell, const QString &moveType) override;
    // A level slid to is the one chosen for the scenario.
    void VtSimpleSliderViewTouched(VtSimpleSlider *slider) override;
    // Refreshes the last ticked row from the store (after its state answer).
    void updateMainView() override;
    // The row of that device shows its stored state again.
    void controlRefused(const QString &deviceId) override;
    virtual QList<QVariantMap> getEditScenarioArray();
    virtual void nextButtonPress();
    QPushButton *nextButton() const { return m_next; }

protected:
    VtMoveCell *makeCell(int row, const QVariantMap &record) override;
    bool mayExpand(const QVariantMap &record) const override;
    bool offersPanel() const override { return false; }
    void selectRow(int row) { m_needArray.append(QStringLiteral("0_%1").arg(row)); }
    void refreshBottomBar();
    void resizeEvent(QResizeEvent *event) override;

private:
    QStringList m_needArray;
    int m_whichIfSelect = -1;
    bool m_loaded = false;
    QWidget *m_bottomBar;
    QScrollArea *m_chosen;
    QPushButton *m_next;
};
