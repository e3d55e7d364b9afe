// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faultplan.h"
#include "simulatedhome.h"
#include "streamplan.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUdpSocket>

#include <memory>

// Puts a simulated home on the network: each transmitter answers datagrams
// on its own address (and on its subnet's broadcast address, and on
// 255.255.255.255 when it is on a network interface), the master
// answers the import request on the stream port. Every exchange is logged.
class TransmitterServer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransmitterServer)

public:
    explicit TransmitterServer(SimulatedHome home, QObject *parent = nullptr);
    ~TransmitterServer() override;

    // Port 0 takes a free port (the same one on every address).
    bool start(quint16 datagramPort, quint16 streamPort, QString *error);
    quint16 datagramPort() const { return m_datagramPort; }
    quint16 streamPort() const { return m_streamPort; }

    SimulatedHome &home() { return m_home; }
    FaultPlan &faults() { return m_faults; }
    StreamPlan &streamPlan() { return m_stream; }
    // Saves the home here (as JSON) whenever an exchange changed it.
    void setStatePath(const QString &path) { m_statePath = path; }
    bool saveState(QString *error) const;
    void setLogging(bool on) { m_logging = on; }

    int datagramsAnswered() const { return m_answered; }
    // Replies a drop fault kept back.
    int repliesDropped() const { return m_dropped; }

Q_SIGNALS:
    void datagramAnswered(const QByteArray &request, const QByteArray &reply);
    void importServed();

private:
    struct Endpoint {
        std::unique_ptr<QUdpSocket> socket;
        QStringList receiverIds; // transmitters a datagram here reaches
        QString ownerId;         // the transmitter that replies from it, if any
    };

    bool bindEndpoint(const QHostAddress &address, const QStringList &receivers,
                      const QString &owner, QString *error);
    // A broadcast address that only hears: a failure to bind is logged.
    void bindListener(const QHostAddress &address, const QStringList &receivers);
    void readEndpoint(Endpoint *endpoint);
    void sendReply(const QString &fromId, const QByteArray &reply, const QHostAddress &to,
                   quint16 port);
    QUdpSocket *socketOf(const QString &transmitterId) const;
    void serveImport(QTcpSocket *connection, const QString &transmitterId);
    void log(const QString &line) const;

    SimulatedHome m_home;
    FaultPlan m_faults;
    StreamPlan m_stream;
    QList<std::shared_ptr<Endpoint>> m_endpoints;
    QList<QTcpServer *> m_streamServers;
    QString m_statePath;
    quint16 m_datagramPort = 0;
    quint16 m_streamPort = 0;
    bool m_logging = true;
    int m_answered = 0;
    int m_dropped = 0;
};
