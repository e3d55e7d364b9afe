// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// SIGTERM and SIGINT as a Qt signal on the event loop, so that a stop (from
// systemd or Ctrl+C) ends the program cleanly.
class ShutdownSignals final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShutdownSignals)

public:
    ShutdownSignals();
    ~ShutdownSignals() override;

Q_SIGNALS:
    void received();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};
