// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "channelcommand.h"
#include "replysenders.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

// One command's exchange: its own datagram socket, the line sent from it and
// the wait for the one reply. It ends in exactly one outcome, a reply or no
// reply; its owner deletes it (deleteLater) once that outcome is handled.
class CommandExchange final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandExchange)

public:
    CommandExchange(ChannelCommand command, quint16 port, QObject *parent = nullptr);

    // Sends the line and starts the wait. A destination that is no address
    // and no host name sends nothing: the wait ends as no reply.
    void start();
    // Only the wait: nothing is sent (a reply is fed by hand, as when fuzzing).
    void startWait();
    const ChannelCommand &command() const { return m_command; }
    bool isSettled() const { return m_settled; }
    quint16 localPort() const { return m_socket.localPort(); }

Q_SIGNALS:
    void replied(CommandExchange *exchange, const QByteArray &datagram);
    void noReply(CommandExchange *exchange);

private:
    void sendTo(const QHostAddress &address);
    void readDatagram();
    void settle();

    ChannelCommand m_command;
    quint16 m_port;
    QUdpSocket m_socket;
    ReplySenders m_senders;
    QTimer m_replyTimer;
    bool m_settled = false;
};
