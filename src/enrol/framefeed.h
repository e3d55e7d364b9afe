// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// A source of live pictures for a viewfinder: the camera, or frames a test
// feeds in. It reports each frame and, when it cannot go on, why.
class FrameFeed : public QObject {
    Q_OBJECT

public:
    using Maker = std::function<std::unique_ptr<FrameFeed>()>;

    // The feed of the default camera, or null when there is none (or none
    // is allowed); a maker set with setMaker is asked instead.
    static std::unique_ptr<FrameFeed> make();
    // Tests feed frames without a camera; an empty maker restores the camera.
    static void setMaker(Maker maker);

    virtual void start() = 0;
    virtual void stop() = 0;

Q_SIGNALS:
    void frameArrived(const QImage &frame);
    void failed(const QString &reason);
};
