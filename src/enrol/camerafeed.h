// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framefeed.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QVideoSink>

// The frames of one camera. Stopped when it goes, so a screen that closes
// never leaves the camera running.
class CameraFeed final : public FrameFeed {
    Q_OBJECT

public:
    explicit CameraFeed(const QCameraDevice &device);
    ~CameraFeed() override;

    void start() override;
    void stop() override;
    QCamera &camera() { return m_camera; }

private:
    QCamera m_camera;
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
};
