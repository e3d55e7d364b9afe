// SPDX-License-Identifier: GPL-3.0-or-later
#include "scancamera.h"

#include "camerafeed.h"
#include "codeimage.h"

#include <QMediaDevices>

namespace {
bool &allowed()
{
    static bool cameras = true;
    return cameras;
}
} // namespace

void ScanCamera::setCamerasAllowed(bool value)
{
    allowed() = value;
}

bool ScanCamera::camerasAllowed()
{
    return allowed();
}

QCameraDevice ScanCamera::defaultCamera()
{
    return allowed() ? QMediaDevices::defaultVideoInput() : QCameraDevice();
}

ScanCamera::ScanCamera(QObject *parent) : QObject(parent), m_feed(FrameFeed::make())
{
    if (m_feed)
        connect(m_feed.get(), &FrameFeed::frameArrived, this, &ScanCamera::onFrame);
}

ScanCamera::~ScanCamera() = default;

void ScanCamera::start()
{
    m_sinceDecode.start();
    if (m_feed)
        m_feed->start();
}

void ScanCamera::stop()
{
    if (m_feed)
        m_feed->stop();
}

void ScanCamera::onFrame(const QImage &image)
{
    Q_EMIT frameShown(image);
    if (m_sinceDecode.elapsed() < kDecodeIntervalMilliseconds)
        return;
    m_sinceDecode.restart();
    if (const std::optional<QString> text = CodeImage::read(image))
        Q_EMIT codeDetected(*text);
}

CameraFeed *ScanCamera::camera() const
{
    return dynamic_cast<CameraFeed *>(m_feed.get());
}

bool ScanCamera::hasTorch() const
{
    return camera() && camera()->camera().isTorchModeSupported(QCamera::TorchOn);
}

bool ScanCamera::isTorchOn() const
{
    return camera() && camera()->camera().torchMode() == QCamera::TorchOn;
}

void ScanCamera::setTorchOn(bool on)
{
    if (hasTorch())
        camera()->camera().setTorchMode(on ? QCamera::TorchOn : QCamera::TorchOff);
}
