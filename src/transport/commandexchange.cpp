// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandexchange.h"

#include "base/logging.h"
#include "commandline.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QRegularExpression>

#include <sys/socket.h>

namespace {
// Room for the largest datagram, so that a reply is read whole.
constexpr qint64 kMaxDatagramBytes = 65507;

bool looksLikeHostName(const QString &host)
{
    // Digits and dots alone are a malformed address, not a name to look up.
    static const QRegularExpression hostName(
        QStringLiteral("^(?=.*[A-Za-z])[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    return hostName.match(host).hasMatch();
}
} // namespace

CommandExchange::CommandExchange(ChannelCommand command, quint16 port, QObject *parent)
    : QObject(parent), m_command(std::move(command)), m_port(port)
{
    // Transmitters sit on the local network: never go through a proxy (and
    // skip the system proxy look-up that would cost on every command).
    m_socket.setProxy(QNetworkProxy::NoProxy);
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_replyTimer, &QTimer::timeout, this, [this] {
        settle();
        Q_EMIT noReply(this);
    });
    connect(&m_socket, &QUdpSocket::readyRead, this, &CommandExchange::readDatagram);
}

void CommandExchange::startWait()
{
    m_replyTimer.start(int(qBound(0.0, m_command.replyWaitSeconds * 1000.0, 2.0e9)));
}

void CommandExchange::start()
{
    startWait();
    const QString &host = m_command.destination;
    QHostAddress address;
    if (address.setAddress(host)) {
        sendTo(address);
    } else if (looksLikeHostName(host)) {
        QHostInfo::lookupHost(host, this, [this](const QHostInfo &info) {
            if (!m_settled && !info.addresses().isEmpty())
                sendTo(info.addresses().constFirst());
        });
    }
}

void CommandExchange::sendTo(const QHostAddress &address)
{
    const QHostAddress any = address.protocol() == QAbstractSocket::IPv6Protocol
                                 ? QHostAddress(QHostAddress::AnyIPv6)
                                 : QHostAddress(QHostAddress::AnyIPv4);
    if (!m_socket.bind(any, 0))
        return; // nothing sent: the wait ends as no reply
    m_senders = ReplySenders::forDestination(address, m_command.isLocate());
    // Locate requests go to the subnet's broadcast address.
    int on = 1;
    ::setsockopt(int(m_socket.socketDescriptor()), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    m_socket.writeDatagram(CommandLine::datagramFromCommandArray(m_command.fields), address,
                           m_port);
}

void CommandExchange::readDatagram()
{
    while (!m_settled && m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(kMaxDatagramBytes);
        if (!datagram.isValid())
            return;
        if (!m_senders.accepts(datagram.senderAddress(), datagram.data())) {
            // Someone else's word: the wait for the addressee's goes on.
            qCWarning(lcGateway).noquote()
                << QStringLiteral("ignored:%1_from:%2_for:%3")
                       .arg(CommandLine::lineFromCommandArray(m_command.fields),
                            datagram.senderAddress().toString(), m_command.destination);
            continue;
        }
        settle();
        Q_EMIT replied(this, datagram.data());
    }
}

void CommandExchange::settle()
{
    m_settled = true;
    m_replyTimer.stop();
    m_socket.close();
}
