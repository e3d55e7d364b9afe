// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// Looks for a transmitter again some seconds after it went silent: one
// look is pending at a time, and arming again replaces it.
class Rediscovery final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Rediscovery)

public:
    static constexpr int kRediscoveryMilliseconds = 5000;

    // locate: sends the locate request for a transmitter ID.
    explicit Rediscovery(std::function<void(const QString &)> locate, QObject *parent = nullptr);

    // Cancels the pending look and, given an ID, arms a new one 5 seconds out.
    void getGatewayIPAgain(const std::optional<QString> &transmitterId);
    // Looks now for the transmitter of the pending look.
    void getMasterGatewayIPAgain();
    bool isArmed() const { return m_timer.isActive(); }
    QString transmitterId() const { return m_transmitterId; }

private:
    std::function<void(const QString &)> m_locate;
    QTimer m_timer;
    QString m_transmitterId;
};
