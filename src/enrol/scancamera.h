// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/torchcontrol.h"

#include <QCameraDevice>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>

#include <memory>

class CameraFeed;
class FrameFeed;

// The camera of the scanner: live frames for the picture, a read of the code
// in a frame now and then (not every frame, so the screen stays smooth), and
// the torch. Without a camera nothing is captured. Frames come from
// FrameFeed::make(), so tests can show it a code.
class ScanCamera final : public QObject, public TorchControl {
    Q_OBJECT

public:
    static constexpr int kDecodeIntervalMilliseconds = 200;

    explicit ScanCamera(QObject *parent = nullptr);
    ~ScanCamera() override;
    // Tests switch the cameras off: no multimedia back end is started at all.
    static void setCamerasAllowed(bool allowed);
    static bool camerasAllowed();
    // The default camera, or a null device when there is none (or none allowed).
    static QCameraDevice defaultCamera();
    bool isAvailable() const { return m_feed != nullptr; }
    void start();
    void stop();

    bool hasTorch() const override;
    bool isTorchOn() const override;
    void setTorchOn(bool on) override;

Q_SIGNALS:
    void frameShown(const QImage &frame);
    void codeDetected(const QString &text);

private:
    void onFrame(const QImage &frame);

    CameraFeed *camera() const;

    // Made only when there is a camera: making it starts the multimedia back end.
    std::unique_ptr<FrameFeed> m_feed;
    QElapsedTimer m_sinceDecode;
};
