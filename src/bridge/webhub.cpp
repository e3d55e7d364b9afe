// SPDX-License-Identifier: GPL-3.0-or-later
#include "webhub.h"

#include "compactjson.h"

#include "control/homeevents.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "discoveryconfig.h"
#include "masterlink.h"
#include "pagerequest.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "transport/wirevocabulary.h"
#include "webremoteserver.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebSocket>

namespace {
QJsonObject channelOf(const QVariantMap &device)
{
    QJsonObject channel = QJsonDocument::fromJson(DiscoveryConfig::statePayload(device)).object();
    channel.remove(QStringLiteral("color_mode"));
    channel.insert(QStringLiteral("id"), device.value(Key::id).toString());
    channel.insert(QStringLiteral("name"), device.value(Key::title).toString());
    const ChannelKind kind = Channel::kindOf(device);
    channel.insert(QStringLiteral("kind"), kind == ChannelKind::Curtain ? QStringLiteral("curtain")
                                           : kind == ChannelKind::Dimmer
                                               ? QStringLiteral("dimmer")
                                               : QStringLiteral("switch"));
    channel.insert(QStringLiteral("available"),
                   !HomeEvents::instance()->isStateUnknown(device.value(Key::id).toString()));
    return channel;
}

void sendText(QWebSocket *page, const QString &text)
{
    // A page that leaves what it was sent unread is not kept in memory for.
    if (page->bytesToWrite() > ConnectionByteLimit::kMaxUnsentBytes) {
        page->abort();
        return;
    }
    page->sendTextMessage(text);
}

void sendTo(QWebSocket *page, const QJsonObject &message)
{
    sendText(page, QString::fromUtf8(compactJsonOf(message)));
}

// code names the page's own text for it; message is for requests it cannot
// have made itself (shown as it stands).
QJsonObject error(const QString &code, const QString &message = {})
{
    return {{QStringLiteral("type"), QStringLiteral("error")},
            {QStringLiteral("code"), code},
            {QStringLiteral("message"), message}};
}
} // namespace

WebHub::WebHub(WebRemoteServer *server, const MasterLink *link, BridgeTopics topics,
               QObject *parent)
    : QObject(parent), m_server(server), m_link(link),
      m_commands(
          std::move(topics),
          [this](const QString &message, const QString &) {
              tellAsking(error(QStringLiteral("badRequest"), message));
          },
          [this](const QVariantMap &device) { sendChannel(device.value(Key::id).toString()); })
{
    connect(server, &WebRemoteServer::pageConnected, this, &WebHub::open);
    HomeEvents *events = HomeEvents::instance();
    connect(events, &HomeEvents::channelStateChanged, this, &WebHub::sendChannel);
    connect(events, &HomeEvents::channelStateReported, this, &WebHub::sendChannel);
    connect(events, &HomeEvents::channelStateUnknown, this, &WebHub::sendChannel);
    connect(events, &HomeEvents::homeReplaced, this, [this] { broadcast(homeOrError()); });
    connect(events, &HomeEvents::channelRenamed, this, [this] { broadcast(homeOrError()); });
    connect(events, &HomeEvents::channelRemoved, this, [this] { broadcast(homeOrError()); });
    connect(events, &HomeEvents::scenarioRan, this, [this](const QString &number) {
        broadcast({{QStringLiteral("type"), QStringLiteral("scenarioRan")},
                   {QStringLiteral("number"), number}});
    });
    connect(UDPSocketManager::instance(), &UDPSocketManager::commandOutcome, this,
            &WebHub::onOutcome);
    connect(link, &MasterLink::changed, this, [this] { broadcast(this->link()); });
    connect(link, &MasterLink::answered, this, [this] { broadcast(this->link()); });
    connect(TCPSocketManager::instance(), &TCPSocketManager::importFinished, this,
            [this](bool committed) {
                if (committed)
                    broadcast({{QStringLiteral("type"), QStringLiteral("notice")},
                               {QStringLiteral("code"), QStringLiteral("synced")}});
                else
                    broadcast(error(QStringLiteral("syncFailed")));
            });
    // The CLI revokes by writing the file anew (a rename): its folder is watched.
    m_accessFile.addPath(QFileInfo(m_server->access().path()).absolutePath());
    connect(&m_accessFile, &QFileSystemWatcher::directoryChanged, this, &WebHub::closeRevoked);
    m_keepAlive.setInterval(kKeepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, &WebHub::keepAlive);
    m_keepAlive.start();
    connect(&m_storeRetry, &StoreRetry::recovered, this, [this] { broadcast(homeOrError()); });
}

QJsonObject WebHub::homeOrError()
{
    const std::optional<Database::HomeRecords> stored = Database::instance()->homeIfReadable();
    if (!stored) {
        m_storeRetry.readFailed(QStringLiteral("the web remote's home"));
        return error(QStringLiteral("storeUnreadable"));
    }
    QJsonArray channels, scenarios;
    for (const QVariantMap &device : stored->devices)
        channels.append(channelOf(device));
    for (const QVariantMap &scenario : stored->scenarios)
        scenarios.append(
            QJsonObject{{QStringLiteral("number"), scenario.value(Key::mainID).toString()},
                        {QStringLiteral("name"), scenario.value(Key::title).toString()}});
    return {{QStringLiteral("type"), QStringLiteral("home")},
            {QStringLiteral("channels"), channels},
            {QStringLiteral("scenarios"), scenarios},
            {QStringLiteral("link"), link()}};
}

QJsonObject WebHub::link() const
{
    const std::optional<qint64> seconds = m_link->secondsSinceAnswer();
    return {{QStringLiteral("type"), QStringLiteral("link")},
            {QStringLiteral("state"), m_link->stateName()},
            {QStringLiteral("answeredAgo"), seconds ? QJsonValue(*seconds) : QJsonValue()}};
}

void WebHub::open(QWebSocket *socket, const QString &token)
{
    m_pages.insert(socket, token);
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString &message) { receive(socket, message); });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] {
        m_pages.remove(socket);
        m_unanswered.remove(socket);
        socket->deleteLater();
    });
    connect(socket, &QWebSocket::pong, this, [this, socket] { m_unanswered.remove(socket); });
    sendTo(socket, homeOrError());
}

void WebHub::receive(QWebSocket *socket, const QString &message)
{
    // What the commands refuse at once goes back to this page only.
    m_asking = socket;
    const PageRequest::Request request = PageRequest::parse(message.toUtf8());
    if (const auto *set = std::get_if<PageRequest::Set>(&request))
        m_commands.setChannel(set->id, set->payload);
    else if (const auto *scenario = std::get_if<PageRequest::Scenario>(&request))
        m_commands.runScenario(scenario->number, "ON");
    else if (std::holds_alternative<PageRequest::Sync>(request))
        TCPSocketManager::instance()->sendTCPMessageWithCommandArray(
            TCPSocketManager::importRequest());
    else
        tellAsking(
            error(QStringLiteral("badRequest"), std::get<PageRequest::Refused>(request).reason));
    m_asking = nullptr;
}

void WebHub::tellAsking(const QJsonObject &message)
{
    if (m_asking)
        sendTo(m_asking, message);
    else
        broadcast(message);
}

void WebHub::broadcast(const QJsonObject &message)
{
    const QString text = QString::fromUtf8(compactJsonOf(message));
    for (QWebSocket *socket : m_pages.keys())
        sendText(socket, text);
}

void WebHub::sendChannel(const QString &id)
{
    const std::optional<QVariantMap> device = Database::instance()->deviceRecordWithMainID(id);
    if (!device)
        return;
    m_commands.noteState(*device);
    QJsonObject message = channelOf(*device);
    message.insert(QStringLiteral("type"), QStringLiteral("state"));
    broadcast(message);
}

void WebHub::onOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    const QString family = Wire::familyOf(fields);
    if (!Wire::isChannelFamily(family) || Wire::operationOf(fields) != ChannelOperation::Control ||
        outcome.isAcknowledged())
        return;
    // The page shows the state the home confirmed last, and why the press did nothing.
    QJsonObject message =
        error(outcome.kind == CommandOutcome::Kind::Refused ? QStringLiteral("refused")
                                                            : QStringLiteral("controlFailed"),
              outcome.text());
    message.insert(QStringLiteral("id"), Wire::targetOf(fields)); // only that row's press ended
    broadcast(message);
    sendChannel(Wire::targetOf(fields));
}

void WebHub::keepAlive()
{
    for (QWebSocket *socket : m_pages.keys()) {
        if (m_unanswered.contains(socket)) {
            socket->abort(); // its disconnection removes it
            continue;
        }
        m_unanswered.insert(socket);
        socket->ping();
    }
}

void WebHub::closeRevoked()
{
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it)
        if (!m_server->access().isValidToken(it.value()))
            it.key()->close(QWebSocketProtocol::CloseCodePolicyViolated,
                            QStringLiteral("this device's access was revoked"));
}
