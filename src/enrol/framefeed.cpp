// SPDX-License-Identifier: GPL-3.0-or-later
#include "framefeed.h"

#include "camerafeed.h"
#include "scancamera.h"

namespace {
FrameFeed::Maker &maker()
{
    static FrameFeed::Maker made;
    return made;
}
} // namespace

std::unique_ptr<FrameFeed> FrameFeed::make()
{
    if (maker())
        return maker()();
    const QCameraDevice device = ScanCamera::defaultCamera();
    if (device.isNull())
        return nullptr;
    return std::make_unique<CameraFeed>(device);
}

void FrameFeed::setMaker(Maker made)
{
    maker() = std::move(made);
}
