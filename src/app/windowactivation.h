// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class AppLifecycle;

// Activation and resignation on a desktop: the window coming back from
// minimised or hidden, and the window being minimised or hidden. Focus moving
// to another window is neither. While active, the master is located quietly
// once a minute, so that the connection banner tells the truth.
class WindowActivation final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowActivation)

public:
    static constexpr int kKeepAliveMilliseconds = 60 * 1000;

    // Tells lifecycle, which outlives this, of each change.
    WindowActivation(QWidget *window, AppLifecycle &lifecycle);
    // The first activation, when the window is showing.
    void start();
    bool isActive() const { return m_active; }
    // Seam for tests.
    void setKeepAliveInterval(int milliseconds) { m_keepAlive.setInterval(milliseconds); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QPointer<QWidget> m_window;
    AppLifecycle &m_lifecycle;
    QTimer m_keepAlive;
    bool m_active = false;
};
