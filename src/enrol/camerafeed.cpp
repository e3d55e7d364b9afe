// SPDX-License-Identifier: GPL-3.0-or-later
#include "camerafeed.h"

#include <QVideoFrame>

CameraFeed::CameraFeed(const QCameraDevice &device) : m_camera(device)
{
    m_session.setCamera(&m_camera);
    m_session.setVideoSink(&m_sink);
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame &frame) {
        const QImage image = frame.toImage();
        if (!image.isNull())
            Q_EMIT frameArrived(image);
    });
    connect(&m_camera, &QCamera::errorOccurred, this,
            [this](QCamera::Error error, const QString &reason) {
                if (error != QCamera::NoError)
                    Q_EMIT failed(reason);
            });
}

CameraFeed::~CameraFeed()
{
    stop();
}

void CameraFeed::start()
{
    m_camera.start();
}

void CameraFeed::stop()
{
    if (m_camera.isActive())
        m_camera.stop();
}
