// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"
#include "configurationimport.h"
#include "flowoutcome.h"
#include "transport/asyncsocket.h"
#include "transport/asyncsocketdelegate.h"
#include "transport/importstream.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class AppDelegate;
class FlowCaller;
class HomeEvents;
class UDPSocketManager;

// Fetches the master's whole configuration over one stream connection and,
// when the end marker has arrived, rebuilds the store from it.
class TCPSocketManager final : public QObject,
                               public AsyncSocketDelegate,
                               public OwnedInstance<TCPSocketManager> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCPSocketManager)

public:
    static constexpr quint16 kImportPort = 10000;
    // The longest silence of the master while it sends the configuration.
    static constexpr double kReadTimeoutSeconds = 12.0;
    // The longest a whole import may take, however steadily the data comes:
    // while it runs, every command waits.
    static constexpr std::chrono::seconds kImportDeadline{60};

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    // Not owned: the channel it waits for and shows the link through, the
    // application's connection state, and the events that announce the import.
    // configuration: what rebuilds the store from the text the master sends.
    TCPSocketManager(UDPSocketManager *channel, AppDelegate *app, HomeEvents *events,
                     const ConfigurationImport &configuration);
    ~TCPSocketManager() override;
    static QStringList importRequest();

    // Sends the request; while a datagram command is outstanding or queued,
    // the request waits for the channel and then goes (the quiet link check
    // gives way to it). caller: whoever asked,
    // told how the import went (null: the feedback service); a request made
    // while an import runs is answered by that import.
    void sendTCPMessageWithCommandArray(const QStringList &commandArray,
                                        const std::optional<QString> &address = std::nullopt,
                                        std::shared_ptr<FlowCaller> caller = {});
    // The request line: "$", the fields joined with ",", a line feed.
    static QByteArray requestLine(const QStringList &commandArray);
    bool isImporting() const { return m_socket != nullptr; }

    void onSocketDidReadData(AsyncSocket *socket, const QByteArray &data, long tag) override;
    void onSocketDidDisconnect(AsyncSocket *socket) override;

    void setImportPort(quint16 port) { m_port = port; }
    void setImportDeadline(std::chrono::milliseconds deadline) { m_deadline.setInterval(deadline); }

Q_SIGNALS:
    // The import finished: committed; or not (no transmitter, no answer, a
    // cut or oversized stream, or the store refused it).
    void importFinished(bool committed);

private:
    void sendNow(const QStringList &commandArray, const std::optional<QString> &address);
    void finishImport();
    void giveUpImport();
    // The import got no answer: the link failed, its callers are told.
    void reportFailedImport();
    void showProgress();
    void stopProgress();
    void tell(const FlowOutcome &outcome);

    UDPSocketManager *m_channel;
    AppDelegate *m_app;
    HomeEvents *m_events;
    ConfigurationImport m_configuration;
    QPointer<AsyncSocket> m_socket; // the import under way; it deletes itself when it ends
    ImportStream m_stream;
    bool m_completed = false;
    quint16 m_port = kImportPort;
    QTimer m_deadline;
    // Nowhere to connect: the failure is told after the read wait, as a silence would be.
    QTimer m_unreachable;
    // Whoever waits for the import; null stands for the feedback service.
    std::vector<std::shared_ptr<FlowCaller>> m_callers;
};
