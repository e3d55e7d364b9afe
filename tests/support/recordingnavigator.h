// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/appdelegate.h"
#include "control/navigator.h"
#include "control/torchcontrol.h"

#include <QStringList>

// Records the screens the rules open; installs itself on the application object.
class RecordingNavigator final : public Navigator, public TorchControl {
public:
    RecordingNavigator()
    {
        AppDelegate::instance()->setNavigator(this);
        AppDelegate::instance()->setTorch(this);
    }
    ~RecordingNavigator() override
    {
        AppDelegate::instance()->setNavigator(nullptr);
        AppDelegate::instance()->setTorch(nullptr);
    }

    void pushScanner() override { opened << QStringLiteral("scanner"); }
    // With a scanner showing, the modes it is given; else a new one.
    void showScanner(const std::optional<QString> &scanType) override
    {
        if (scannerShowing)
            scanTypes << scanType.value_or(QStringLiteral("nil"));
        else
            pushScanner();
    }
    bool showsTransmitterEnrolment() const override { return transmitterEnrolmentShowing; }
    void pushDeviceSelection() override { opened << QStringLiteral("selection"); }
    void pushTransmitterEnrolment(const QString &id, const QString &summary) override
    {
        opened << QStringLiteral("transmitter %1").arg(id);
        lastSummary = summary;
    }
    void pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                             const QString &summary) override
    {
        opened << QStringLiteral("device %1 %2 %3").arg(id).arg(groupCount).arg(control);
        lastSummary = summary;
    }

    bool hasTorch() const override { return torchFitted; }
    bool isTorchOn() const override { return torchOn; }
    void setTorchOn(bool on) override { torchOn = on; }

    QStringList opened;
    QString lastSummary;
    bool torchFitted = true;
    bool torchOn = false;
    bool scannerShowing = false;
    QStringList scanTypes;
    bool transmitterEnrolmentShowing = false;
};
