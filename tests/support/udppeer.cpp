// SPDX-License-Identifier: GPL-3.0-or-later
#include "udppeer.h"

#include <QNetworkDatagram>

UdpPeer::UdpPeer(Reply reply) : m_reply(std::move(reply))
{
    m_socket.bind(QHostAddress::LocalHost, 0);
    connect(&m_socket, &QUdpSocket::readyRead, this, &UdpPeer::readAll);
}

void UdpPeer::answerLast(const QByteArray &data)
{
    m_socket.writeDatagram(data, lastSender, lastSenderPort);
}

void UdpPeer::readAll()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        received.append(datagram.data());
        lastSender = datagram.senderAddress();
        lastSenderPort = quint16(datagram.senderPort());
        if (m_reply) {
            const QByteArray answer = m_reply(datagram.data());
            if (!answer.isEmpty())
                answerLast(answer);
        }
        Q_EMIT datagramReceived();
    }
}
