// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "control/scannerscreen.h"
#include "frame/parentviewcontroller.h"

#include <QImage>
#include <QPointer>

class QLabel;
class QPushButton;
class ScanCamera;

// The scanner: the live picture with its frame, the prompt by mode, the
// options sheet (torch, manual ID entry), "Have a try" on the first
// transmitter scan, and each detected code handed to the decoder.
class VtScanViewController : public ParentViewController, public ScannerScreen {
    Q_OBJECT

public:
    static constexpr int kIntroMilliseconds = 1500;
    static constexpr int kIntroSlideMilliseconds = 1200;

    explicit VtScanViewController(const HomeServices &home, QWidget *parent = nullptr);
    ~VtScanViewController() override;

    QString scanType() const { return m_scanType; }
    void setScanType(const std::optional<QString> &scanType) override;
    bool isScanning() const { return m_scanning; }
    QString promptText() const;
    QPushButton *tryButton() const { return m_tryButton; }
    bool hasCapture() const;

    // A code seen by the camera (or a test's frame): decoded while scanning.
    void captureOutput(const QString &text);
    void captureFrame(const QImage &frame);
    void navRightButtonItemPressed() override;
    void optionChosen(int index);
    void homeEditFinishWithHomeName(const QString &text);
    void tryButtonPressed();
    // Shown again (the start-up overlay has gone): scanning starts.
    void updateMainView() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    HomeServices m_home;
    void startScanning();
    void stopScanning();
    void showIntro();
    bool startUpOverlayShows() const;
    QRect pictureRect() const;

    QString m_scanType;
    bool m_scanning = false;
    // The options sheet is open: only its Cancel and the torch start the
    // camera again, whatever reloads the screen meanwhile.
    bool m_paused = false;
    ScanCamera *m_camera;
    QImage m_frame;
    QLabel *m_prompt;
    QLabel *m_hint;
    QPushButton *m_tryButton;
    QWidget *m_frameView;
};
