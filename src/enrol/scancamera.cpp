#include "scancamera.h"

#include "codeimage.h"

#include <QMediaDevices>
#include <QVideoFrame>

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

ScanCamera::ScanCamera(QObject *parent) : QObject(parent)
{
    const QCameraDevice device = defaultCamera();
    if (device.isNull())
        return;
    m_camera = std::make_unique<QCamera>(device);
    m_session = std::make_unique<QMediaCaptureSession>();
    m_sink = std::make_unique<QVideoSink>();
    m_session->setCamera(m_camera.get());
    m_session->setVideoSink(m_sink.get());
    connect(m_sink.get(), &QVideoSink::videoFrameChanged, this, &ScanCamera::onFrame);
}

void ScanCamera::start()
{
    m_sinceDecode.start();
    if (m_camera)
        m_camera->start();
}

void ScanCamera::stop()
{
    if (m_camera)
        m_camera->stop();
}

void ScanCamera::onFrame(const QVideoFrame &frame)
{
    const QImage image = frame.toImage();
    Q_EMIT frameShown(image);
    if (m_sinceDecode.elapsed() < kDecodeIntervalMilliseconds)
        return;
    m_sinceDecode.restart();
    if (const std::optional<QString> text = CodeImage::read(image))
        Q_EMIT codeDetected(*text);
}

bool ScanCamera::hasTorch() const
{
    return m_camera && m_camera->isTorchModeSupported(QCamera::TorchOn);
}

bool ScanCamera::isTorchOn() const
{
    return m_camera && m_camera->torchMode() == QCamera::TorchOn;
}

void ScanCamera::setTorchOn(bool on)
{
    if (hasTorch())
        m_camera->setTorchMode(on ? QCamera::TorchOn : QCamera::TorchOff);
}
