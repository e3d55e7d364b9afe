#pragma once

#include "../core/torchcontrol.h"

#include <QCamera>
#include <QElapsedTimer>
#include <QImage>
#include <QMediaCaptureSession>
#include <QObject>
#include <QVideoSink>

#include <memory>

// The camera of the scanner: live frames for the picture, a read of the code
// in a frame now and then (not every frame, so the screen stays smooth), and
// the torch. Without a camera nothing is captured.
class ScanCamera final : public QObject, public TorchControl {
    Q_OBJECT

public:
    static constexpr int kDecodeIntervalMilliseconds = 200;

    explicit ScanCamera(QObject *parent = nullptr);
    bool isAvailable() const { return m_camera != nullptr; }
    void start();
    void stop();

    bool hasTorch() const override;
    bool isTorchOn() const override;
    void setTorchOn(bool on) override;

Q_SIGNALS:
    void frameShown(const QImage &frame);
    void codeDetected(const QString &text);

private:
    void onFrame(const QVideoFrame &frame);

    std::unique_ptr<QCamera> m_camera;
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    QElapsedTimer m_sinceDecode;
};
