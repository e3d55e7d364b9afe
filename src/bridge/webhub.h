#pragma once

#include "bridgecommands.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QJsonObject>
#include <QObject>

#include <functional>

class QWebSocket;
class WebRemoteServer;

// The open pages of the web remote: each gets the home when it connects and
// every confirmed change after; what a page asks for goes through the same
// commands as the bridge's "set" topics. A page whose device's token is
// revoked is closed at once.
class WebHub final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebHub)

public:
    using Link = std::function<QString()>; // "online", "offline" or "unknown"

    WebHub(WebRemoteServer *server, BridgeTopics topics, Link link, QObject *parent = nullptr);

    static constexpr qint64 kMaxMessageBytes = 4096;
    int pageCount() const { return int(m_pages.size()); }
    // The whole home as a page shows it.
    QJsonObject home() const;

private:
    void open(QWebSocket *socket, const QString &token);
    void receive(QWebSocket *socket, const QString &message);
    void broadcast(const QJsonObject &message);
    void sendChannel(const QString &id);
    void closeRevoked();
    void onOutcome(const QStringList &fields, const QString &outcome);

    WebRemoteServer *m_server;
    Link m_link;
    BridgeCommands m_commands;
    QHash<QWebSocket *, QString> m_pages; // socket -> its device's token
    QFileSystemWatcher m_accessFile;
};
