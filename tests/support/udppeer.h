// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QUdpSocket>

#include <functional>

// A transmitter stand-in on 127.0.0.1 and an ephemeral port: records every
// datagram and answers each with whatever the reply function gives (nothing
// for an empty answer).
class UdpPeer final : public QObject {
    Q_OBJECT

public:
    using Reply = std::function<QByteArray(const QByteArray &request)>;

    explicit UdpPeer(Reply reply = {});
    quint16 port() const { return m_socket.localPort(); }
    void setReply(Reply reply) { m_reply = std::move(reply); }
    // Sends to the sender of the last request.
    void answerLast(const QByteArray &data);

    QList<QByteArray> received;
    QHostAddress lastSender;
    quint16 lastSenderPort = 0;

Q_SIGNALS:
    void datagramReceived();

private:
    void readAll();

    QUdpSocket m_socket;
    Reply m_reply;
};
