// SPDX-License-Identifier: GPL-3.0-or-later
#include "channelbench.h"

#include "latencystats.h"

#include "control/homelookup.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "transport/replyhandlers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <cstdio>

namespace {
// Answers every command with its acknowledgement, as a transmitter would.
class EchoPeer final : public QObject {
public:
    EchoPeer()
    {
        m_socket.bind(QHostAddress::LocalHost, 0);
        connect(&m_socket, &QUdpSocket::readyRead, this, [this] {
            while (m_socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = m_socket.receiveDatagram();
                QByteArray reply = d.data();
                reply.replace("token$cfg,", "token$ack,");
                m_socket.writeDatagram(reply, d.senderAddress(), quint16(d.senderPort()));
            }
        });
    }
    quint16 port() const { return m_socket.localPort(); }

private:
    QUdpSocket m_socket;
};

class LoopbackMaster final : public HomeLookup {
public:
    std::optional<QVariantMap> firstTransmitter() const override
    {
        return QVariantMap{{QStringLiteral("id"), QStringLiteral("A10000000001")},
                           {QStringLiteral("address"), QStringLiteral("127.0.0.1")}};
    }
    int lightingDeviceCount() const override { return 12; }
};

class CompletionHandlers final : public ReplyHandlers {
public:
    void overCommandWithServerInfo(const Reply::RoleAcknowledgement &,
                                   const SharedOperations &) override
    {
    }
    void overGatewayIPWithServerInfo(const Reply::LocateAnswer &, const SharedOperations &) override
    {
    }
    void overLightingControlWithServerInfo(const Reply::DeviceAcknowledgement &,
                                           const SharedOperations &) override
    {
        replied = true;
    }
    void getLightingStateWithServerInfo(const Reply::StateAnswer &,
                                        const SharedOperations &) override
    {
    }
    void overScenarioWithServerInfo(const Reply::NamingAcknowledgement &,
                                    const SharedOperations &) override
    {
    }
    void overScenarioRunWithServerInfo(const Reply::RunAcknowledgement &,
                                       const SharedOperations &) override
    {
    }
    void updateDeviceAndScenarioControlTimesWithInfo(const Reply::Form &) override {}
    bool replied = false;
};

void waitFor(const bool &flag)
{
    while (!flag)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

LatencyStats measureRawExchanges(int exchanges, quint16 peerPort, const QByteArray &line)
{
    LatencyStats stats;
    QUdpSocket client;
    client.bind(QHostAddress::AnyIPv4, 0);
    bool replied = false;
    QObject::connect(&client, &QUdpSocket::readyRead, [&] {
        while (client.hasPendingDatagrams()) {
            client.receiveDatagram();
            replied = true;
        }
    });
    QElapsedTimer clock;
    for (int i = 0; i < exchanges; ++i) {
        replied = false;
        clock.start();
        client.writeDatagram(line, QHostAddress::LocalHost, peerPort);
        waitFor(replied);
        stats.add(double(clock.nsecsElapsed()) / 1000.0);
    }
    return stats;
}

LatencyStats measureChannelExchanges(int exchanges, quint16 peerPort, const QStringList &command)
{
    LatencyStats stats;
    LoopbackMaster master;
    CompletionHandlers handlers;
    UDPSocketManager *channel = UDPSocketManager::instance();
    channel->setHomeLookup(&master);
    channel->setReplyHandlers(&handlers);
    channel->setTransmitterPort(peerPort);
    QElapsedTimer clock;
    for (int i = 0; i < exchanges; ++i) {
        handlers.replied = false;
        clock.start();
        channel->sendMessageWithCommandArray(command);
        waitFor(handlers.replied);
        stats.add(double(clock.nsecsElapsed()) / 1000.0);
    }
    channel->setReplyHandlers(nullptr);
    channel->setHomeLookup(nullptr);
    return stats;
}
} // namespace

void runChannelBench(int exchanges)
{
    // The per-send log line would measure the terminal, not the channel.
    QLoggingCategory::setFilterRules(QStringLiteral("ardentia.gateway.info=false"));
    EchoPeer peer;
    const QStringList command{"cfg", "lig", "B21000000001", "4", "1", "0", "0"};
    const QByteArray line = QByteArray(R"(token$cfg,lig,B21000000001,4,1,0,0\n)");

    // Warm both paths up, then measure them one after the other in this run.
    measureRawExchanges(200, peer.port(), line);
    measureChannelExchanges(200, peer.port(), command);
    const LatencyStats raw = measureRawExchanges(exchanges, peer.port(), line);
    const LatencyStats channel = measureChannelExchanges(exchanges, peer.port(), command);

    const double overhead50 = channel.percentile(50) - raw.percentile(50);
    const double overhead99 = channel.percentile(99) - raw.percentile(99);
    std::printf("Datagram channel, %d command/reply round trips on loopback\n", exchanges);
    std::printf("  raw sockets (floor)        %s\n", qPrintable(raw.summary()));
    std::printf("  sendMessageWithCommandArray %s\n", qPrintable(channel.summary()));
    std::printf("  channel overhead            p50 %8.1f us  p99 %8.1f us  (target: p50 < 50 us)\n",
                overhead50, overhead99);
    std::printf("  channel / raw               p50 %8.2fx  p99 %8.2fx\n",
                channel.percentile(50) / raw.percentile(50),
                channel.percentile(99) / raw.percentile(99));
    std::fflush(stdout);
}
