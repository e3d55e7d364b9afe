// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmitterserver.h"

#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QPointer>
#include <QSaveFile>
#include <QSet>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {
constexpr qint64 kMaxRequestLine = 4096;

// The address entry of the interface that carries this address, if any.
std::optional<QNetworkAddressEntry> entryCarrying(const QHostAddress &host)
{
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            if (entry.ip() == host && !entry.broadcast().isNull() &&
                !interface.flags().testFlag(QNetworkInterface::IsLoopBack))
                return entry;
    return std::nullopt;
}

// The broadcast address of the subnet the transmitter's address is on, as
// its interface gives it (a /16 network has x.y.255.255); x.y.z.255 for an
// address no interface carries with a broadcast (the 127.0.0.x of the demo).
QString broadcastOf(const QString &address)
{
    if (const auto entry = entryCarrying(QHostAddress(address)))
        return entry->broadcast().toString();
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return {};
    return parts.mid(0, 3).join(QLatin1Char('.')) + QStringLiteral(".255");
}

QString printable(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1Char('\n'), QStringLiteral("<LF>"));
    return text;
}
} // namespace

TransmitterServer::TransmitterServer(SimulatedHome home, QObject *parent)
    : QObject(parent), m_home(std::move(home))
{
}

TransmitterServer::~TransmitterServer() = default;

bool TransmitterServer::start(quint16 datagramPort, quint16 streamPort, QString *error)
{
    m_datagramPort = datagramPort;
    m_streamPort = streamPort;
    QSet<QString> broadcasts;
    for (const SimulatedHome::Transmitter &t : m_home.transmitters()) {
        if (!bindEndpoint(QHostAddress(t.address), {t.id}, t.id, error))
            return false;
        broadcasts.insert(broadcastOf(t.address));

        auto *server = new QTcpServer(this);
        server->setProxy(QNetworkProxy::NoProxy);
        if (!server->listen(QHostAddress(t.address), m_streamPort)) {
            if (error)
                *error = QStringLiteral("cannot listen on %1:%2 (%3)")
                             .arg(t.address)
                             .arg(m_streamPort)
                             .arg(server->errorString());
            return false;
        }
        m_streamPort = server->serverPort();
        const QString id = t.id;
        connect(server, &QTcpServer::newConnection, this, [this, server, id] {
            while (QTcpSocket *connection = server->nextPendingConnection())
                serveImport(connection, id);
        });
        m_streamServers.append(server);
    }
    // A locate request goes to the subnet broadcast; every transmitter on
    // that subnet hears it.
    for (const QString &broadcast : broadcasts) {
        QStringList receivers;
        for (const SimulatedHome::Transmitter &t : m_home.transmitters())
            if (broadcastOf(t.address) == broadcast)
                receivers.append(t.id);
        if (!broadcast.isEmpty())
            bindListener(QHostAddress(broadcast), receivers);
    }
    // So does one sent to 255.255.255.255 (what a sender without an address
    // of its own uses), heard by the transmitters on a network interface;
    // Linux gives such datagrams only to sockets bound to that address or to
    // any address. Loopback never carries them, so the demo does not listen.
    QStringList onNetwork;
    for (const SimulatedHome::Transmitter &t : m_home.transmitters())
        if (entryCarrying(QHostAddress(t.address)))
            onNetwork.append(t.id);
    if (!onNetwork.isEmpty())
        bindListener(QHostAddress(QHostAddress::Broadcast), onNetwork);
    log(QStringLiteral("listening: datagrams on port %1, import on port %2")
            .arg(m_datagramPort)
            .arg(m_streamPort));
    return true;
}

bool TransmitterServer::bindEndpoint(const QHostAddress &address, const QStringList &receivers,
                                     const QString &owner, QString *error)
{
    auto endpoint = std::make_shared<Endpoint>();
    endpoint->socket = std::make_unique<QUdpSocket>();
    endpoint->socket->setProxy(QNetworkProxy::NoProxy);
    if (!endpoint->socket->bind(address, m_datagramPort, QUdpSocket::ShareAddress)) {
        if (error)
            *error = QStringLiteral("cannot bind %1:%2 (%3)")
                         .arg(address.toString())
                         .arg(m_datagramPort)
                         .arg(endpoint->socket->errorString());
        return false;
    }
    m_datagramPort = endpoint->socket->localPort();
    endpoint->receiverIds = receivers;
    endpoint->ownerId = owner;
    Endpoint *raw = endpoint.get();
    connect(raw->socket.get(), &QUdpSocket::readyRead, this, [this, raw] { readEndpoint(raw); });
    m_endpoints.append(endpoint);
    return true;
}

void TransmitterServer::bindListener(const QHostAddress &address, const QStringList &receivers)
{
    QString error;
    if (!bindEndpoint(address, receivers, {}, &error))
        log(QStringLiteral("note: not listening on %1 (%2)").arg(address.toString(), error));
}

QUdpSocket *TransmitterServer::socketOf(const QString &transmitterId) const
{
    for (const auto &endpoint : m_endpoints)
        if (endpoint->ownerId == transmitterId)
            return endpoint->socket.get();
    return nullptr;
}

void TransmitterServer::readEndpoint(Endpoint *endpoint)
{
    while (endpoint->socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = endpoint->socket->receiveDatagram(65536);
        const QByteArray request = datagram.data();
        const QHostAddress sender = datagram.senderAddress();
        const auto port = quint16(datagram.senderPort());
        log(QStringLiteral("udp  <- %1:%2 to %3  %4")
                .arg(sender.toString())
                .arg(port)
                .arg(datagram.destinationAddress().toString(), printable(request)));
        // The state file is written before any reply goes out, so that whoever
        // hears a reply finds its change in the file.
        struct Answer {
            QString receiver;
            QByteArray text;
            const FaultRule *fault;
        };
        QList<Answer> answers;
        for (const QString &receiver : endpoint->receiverIds) {
            const std::optional<QByteArray> reply = m_home.answerDatagram(request, receiver);
            if (!reply || reply->isEmpty())
                continue;
            const FaultRule *fault = m_faults.match(request);
            answers.append({receiver, fault ? fault->applyTo(*reply) : *reply, fault});
        }
        if (m_home.takeChanged() && !m_statePath.isEmpty()) {
            QString error;
            if (!saveState(&error))
                log(QStringLiteral("cannot save the state: %1").arg(error));
        }
        for (const Answer &answer : std::as_const(answers)) {
            if (answer.fault && answer.fault->action == FaultRule::Action::Drop) {
                log(QStringLiteral("udp  -- %1 drops its reply (fault)").arg(answer.receiver));
                ++m_dropped;
            } else if (answer.fault && answer.fault->action == FaultRule::Action::Delay) {
                QTimer::singleShot(m_faults.delayMilliseconds(*answer.fault), this, [=, this] {
                    sendReply(answer.receiver, answer.text, sender, port);
                });
            } else {
                sendReply(answer.receiver, answer.text, sender, port);
            }
            Q_EMIT datagramAnswered(request, answer.text);
        }
    }
}

void TransmitterServer::sendReply(const QString &fromId, const QByteArray &reply,
                                  const QHostAddress &to, quint16 port)
{
    QUdpSocket *socket = socketOf(fromId);
    if (!socket)
        return;
    socket->writeDatagram(reply, to, port);
    ++m_answered;
    log(QStringLiteral("udp  -> %1:%2 from %3  %4")
            .arg(to.toString())
            .arg(port)
            .arg(fromId, printable(reply)));
}

void TransmitterServer::serveImport(QTcpSocket *connection, const QString &transmitterId)
{
    connection->setParent(this);
    connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
    connect(connection, &QTcpSocket::readyRead, this, [this, connection, transmitterId] {
        if (!connection->canReadLine()) {
            if (connection->bytesAvailable() > kMaxRequestLine)
                connection->abort();
            return;
        }
        const QByteArray request = connection->readLine(kMaxRequestLine).trimmed();
        log(QStringLiteral("tcp  <- %1  %2").arg(transmitterId, QString::fromUtf8(request)));
        const SimulatedHome::Transmitter *t = m_home.transmitter(transmitterId);
        if (request != "$req,gw,start,import,0,0" || !t || t->role != SimulatedHome::Role::Master) {
            connection->disconnectFromHost();
            return;
        }
        if (m_stream.silent)
            return;
        const QList<QByteArray> chunks = m_stream.chunksOf(m_home.configurationText());
        // Chunks go out one by one, apart in time, so that they arrive apart.
        const int gap = qMax(m_stream.delayMs, chunks.size() > 1 ? 30 : 0);
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            QPointer<QTcpSocket> guard(connection);
            QTimer::singleShot(int(i) * gap, this, [this, guard, chunk = chunks.at(i)] {
                if (!guard)
                    return;
                guard->write(chunk);
                guard->flush();
                log(QStringLiteral("tcp  -> %1 bytes").arg(chunk.size()));
            });
        }
        QPointer<QTcpSocket> guard(connection);
        QTimer::singleShot(int(chunks.size()) * gap + 10, this, [this, guard] {
            if (guard)
                guard->disconnectFromHost();
            Q_EMIT importServed();
        });
    });
}

bool TransmitterServer::saveState(QString *error) const
{
    QSaveFile file(m_statePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(QJsonDocument(m_home.toJson()).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void TransmitterServer::log(const QString &line) const
{
    if (m_logging)
        std::fprintf(stderr, "ardentia-transmitter: %s\n", qPrintable(line));
}
