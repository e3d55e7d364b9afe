// SPDX-License-Identifier: GPL-3.0-or-later
#include "webhub.h"

#include "control/livehome.h"

#include "base/compactjson.h"
#include "helppages.h"
#include "pageerror.h"
#include "webpagetexts.h"

#include "base/logging.h"
#include "control/homeactions.h"
#include "control/homeevents.h"
#include "control/homelists.h"
#include "control/livehome.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/masterlink.h"
#include "mqtt/discoveryconfig.h"
#include "pagerequest.h"
#include "pageschedules.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/picturefile.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/wirevocabulary.h"
#include "webremoteserver.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>
#include <QWebSocket>

namespace {
// A channel as the page shows it: the state the home confirmed last (the
// stored one until it has), and whether it answers now.
QJsonObject channelOf(const QVariantMap &stored, const LiveHome &live)
{
    const QVariantMap device = live.withConfirmedState(stored);
    const QString id = device.value(Key::id).toString();
    QJsonObject channel = QJsonDocument::fromJson(DiscoveryConfig::statePayload(device)).object();
    channel.remove(QStringLiteral("color_mode"));
    const Channel read = Channel::fromRecord(device);
    channel.insert(QStringLiteral("id"), read.id);
    channel.insert(QStringLiteral("name"), read.title);
    channel.insert(QStringLiteral("kind"), read.isCurtain()  ? QStringLiteral("curtain")
                                           : read.isDimmer() ? QStringLiteral("dimmer")
                                                             : QStringLiteral("switch"));
    channel.insert(QStringLiteral("available"), live.isAvailable(id));
    // How often it was controlled: the order of the home tiles' quick panels.
    channel.insert(QStringLiteral("uses"), read.useCount);
    return channel;
}

// A scenario's picture as the page names it: an icon's name, or its photo's
// file name (served under /picture/), never a path.
QString pageImageOf(const QString &imagePath)
{
    return ScenarioRequests::isIconName(imagePath) ? imagePath : PictureFile::nameOf(imagePath);
}

// A scenario as the page lists and edits it: its members in the states they keep.
QJsonObject scenarioOf(const QVariantMap &scenario)
{
    QJsonArray members;
    for (const QVariant &member : RecordFactory::sceneDevices(scenario))
        members.append(
            QJsonObject{{QStringLiteral("id"), member.toMap().value(Key::id).toString()},
                        {QStringLiteral("state"), member.toMap().value(Key::turnOn).toString()}});
    const QString number = scenario.value(Key::mainID).toString();
    const QString title = scenario.value(Key::title).toString();
    // A built-in's title as made is named in each page's own language: sent empty.
    const bool madeTitle =
        !RecordFactory::isUserScenario(scenario) && HomeLists::hasMadeTitle(number, title);
    return {
        {QStringLiteral("number"), number},
        {QStringLiteral("name"), madeTitle ? QString() : title},
        {QStringLiteral("image"), pageImageOf(scenario.value(Key::imagePath).toString())},
        {QStringLiteral("user"), RecordFactory::isUserScenario(scenario)},
        // How often it ran, and whether it is the one that ran last: the strip's order and mark.
        {QStringLiteral("uses"), scenario.value(Key::controlTimes).toString().toInt()},
        {QStringLiteral("active"), scenario.value(Key::state).toString() == QLatin1String("YES")},
        {QStringLiteral("revision"), ScenarioRequests::revisionOf(scenario)},
        {QStringLiteral("members"), members}};
}

QJsonObject roleMessage(WebAccess::Role role)
{
    return {{QStringLiteral("type"), QStringLiteral("role")},
            {QStringLiteral("role"), WebAccess::nameOf(role)}};
}

template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
} // namespace

WebHub::WebHub(const HomeServices &home, WebRemoteServer *server, const MasterLink *link,
               BridgeTopics topics, QObject *parent)
    : QObject(parent), m_home(home), m_server(server), m_link(link), m_live(&home.live),
      m_commands(
          m_home, std::move(topics),
          [this](const QString &message, const QString &) {
              tellAsking(pageError(QStringLiteral("badRequest"), message));
          },
          [this](const QVariantMap &device) { sendChannel(device.value(Key::id).toString()); }),
      m_owner(m_home, [this](const QJsonObject &message) { tellAsking(message); }),
      m_scenarios(
          m_home, [this](const QJsonObject &message) { tellAsking(message); },
          &server->pendingPictures()),
      m_enrolment(m_home, [this](PageEnrolment::Page page,
                                 const QJsonObject &message) { tellEnrolling(page, message); }),
      m_storeRetry(home.store)
{
    connect(server, &WebRemoteServer::pageConnected, this, &WebHub::open);
    HomeEvents *events = &m_home.events;
    connect(events, &HomeEvents::channelStateChanged, this, &WebHub::sendChannel);
    connect(events, &HomeEvents::channelStateReported, this, &WebHub::sendChannel);
    connect(events, &HomeEvents::channelStateUnknown, this, &WebHub::sendChannel);
    connect(events, &HomeEvents::homeReplaced, this, [this] { broadcastHome(); });
    connect(events, &HomeEvents::channelRenamed, this, [this] { broadcastHome(); });
    connect(events, &HomeEvents::channelRemoved, this, [this] { broadcastHome(); });
    // Another program's change reaches every page as if it had been made here.
    connect(events, &HomeEvents::homeChangedElsewhere, this,
            [this] { broadcastHome(Sending::OnChange); });
    connect(events, &HomeEvents::scenarioRan, this, [this](const QString &number) {
        broadcast({{QStringLiteral("type"), QStringLiteral("scenarioRan")},
                   {QStringLiteral("number"), number}});
    });
    // The quick panels' order follows each counted control.
    connect(events, &HomeEvents::channelUseCounted, this, &WebHub::sendUses);
    // The strip's order and mark follow each counted run.
    connect(events, &HomeEvents::scenarioUseCounted, this, [this] { broadcastHome(); });
    connect(&m_home.channel, &UDPSocketManager::commandOutcome, this, &WebHub::onOutcome);
    connect(&m_home.channel, &UDPSocketManager::commandSettled, this, &WebHub::onSettled);
    connect(link, &MasterLink::changed, this, [this] {
        broadcast(this->link());
        broadcastHome(); // every channel's availability follows the master's
    });
    connect(link, &MasterLink::answered, this, [this] { broadcast(this->link()); });
    connect(&m_home.import, &TCPSocketManager::importFinished, this, [this](bool committed) {
        if (committed)
            broadcast({{QStringLiteral("type"), QStringLiteral("notice")},
                       {QStringLiteral("code"), QStringLiteral("synced")}});
        else
            broadcast(pageError(QStringLiteral("syncFailed")));
    });
    // The CLI revokes by writing the file anew (a rename): its folder is watched.
    m_accessFile.addPath(QFileInfo(m_server->access().path()).absolutePath());
    connect(&m_accessFile, &QFileSystemWatcher::directoryChanged, this,
            &WebHub::followAccessChanges);
    m_keepAlive.setInterval(kKeepAliveMs);
    connect(&m_keepAlive, &QTimer::timeout, this, &WebHub::keepAlive);
    m_keepAlive.start();
    connect(&m_storeRetry, &StoreRetry::recovered, this, [this] { broadcastHome(); });
    m_clock.start();
}

WebHub::~WebHub() = default;

QJsonObject WebHub::homeOrError()
{
    const std::optional<Database::HomeRecords> stored = m_home.store.homeIfReadable();
    if (!stored) {
        m_storeRetry.readFailed(QStringLiteral("the web remote's home"));
        return pageError(QStringLiteral("storeUnreadable"));
    }
    QJsonArray channels, scenarios;
    for (const QVariantMap &device : stored->devices)
        channels.append(channelOf(device, *m_live));
    for (const QVariantMap &scenario : stored->scenarios)
        scenarios.append(scenarioOf(scenario));
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
    // The page names its language in its address ("?lang=zh-CN").
    const QString language = WebPageTexts::languageFor(
        QUrlQuery(socket->requestUrl()).queryItemValue(QStringLiteral("lang")).toLatin1());
    const WebAccess::Role role = m_server->access().roleOf(token).value_or(WebAccess::Role::Family);
    auto session = std::make_shared<PageSession>(
        [this, socket](const QJsonObject &message) { sendTo(socket, message); }, language);
    m_pages.insert(socket, {token, role, language, std::move(session), {}});
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString &message) { receive(socket, message); });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { closed(socket); });
    connect(socket, &QWebSocket::pong, this, [this, socket] { m_unanswered.remove(socket); });
    // The first home a page gets names its device's role; a change is told on its own.
    QJsonObject home = homeOrError();
    home.insert(QStringLiteral("role"), WebAccess::nameOf(role));
    sendTo(socket, home);
    sendSchedules(socket, true);
}

void WebHub::showSchedules(ScheduleRunner *runner, ScheduleRequests *requests)
{
    m_schedules = std::make_unique<PageSchedules>(m_home.store, runner, requests);
    connect(m_schedules.get(), &PageSchedules::changed, this, [this] {
        for (QWebSocket *socket : m_pages.keys())
            sendSchedules(socket, false);
    });
}

void WebHub::sendSchedules(QWebSocket *socket, bool always)
{
    const auto page = m_pages.find(socket);
    if (!m_schedules || page == m_pages.end())
        return;
    // Each page in its own language; one whose list is as it was hears nothing.
    const QByteArray list =
        compactJsonOf(m_schedules->list(page->language, page->role == WebAccess::Role::Owner));
    if (!always && list == page->schedulesSent)
        return;
    page->schedulesSent = list;
    sendText(socket, QString::fromUtf8(list));
}

void WebHub::closed(QWebSocket *socket)
{
    m_enrolment.forget(socket);
    m_pages.remove(socket); // its flows' callers tell it nothing more
    m_unanswered.remove(socket);
    socket->deleteLater();
}

void WebHub::receive(QWebSocket *socket, const QString &message)
{
    // What the commands refuse at once goes back to this page only.
    m_asking = socket;
    const PageRequest::Request request = PageRequest::parse(message.toUtf8());
    if (!mayAsk(socket, request) || !mayQueue(socket, request)) {
        m_asking = nullptr;
        return;
    }
    if (const auto *set = std::get_if<PageRequest::Set>(&request))
        m_commands.setChannel(set->id, set->payload);
    else if (const auto *scenario = std::get_if<PageRequest::Scenario>(&request))
        m_commands.runScenario(scenario->number, "ON");
    else if (std::holds_alternative<PageRequest::Sync>(request))
        m_home.import.sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
    else if (std::holds_alternative<PageRequest::Help>(request))
        tellAsking(HelpPages::forLanguage(m_pages.value(socket).language));
    else if (std::holds_alternative<PageRequest::Schedules>(request) && m_schedules)
        sendSchedules(socket, true);
    else if (std::holds_alternative<PageRequest::Schedules>(request))
        tellAsking(pageError(QStringLiteral("badRequest"), QStringLiteral("no schedules here")));
    else if (const auto *refused = std::get_if<PageRequest::Refused>(&request))
        tellAsking(pageError(QStringLiteral("badRequest"), refused->reason));
    else
        askOwner(socket, request);
    m_asking = nullptr;
}

bool WebHub::mayQueue(QWebSocket *socket, const PageRequest::Request &request)
{
    const bool press = std::holds_alternative<PageRequest::Set>(request) ||
                       std::holds_alternative<PageRequest::Scenario>(request);
    const bool sync = std::holds_alternative<PageRequest::Sync>(request);
    const Page page = m_pages.value(socket);
    if ((!press && !sync) || page.role == WebAccess::Role::Owner)
        return true;
    if (press &&
        m_home.channel.udpQueueArray().size() >= UDPSocketManager::kMaxQueuedCommands / 2) {
        tellAsking(pageError(QStringLiteral("busy")));
        return false;
    }
    if (m_pace.take(page.token, sync ? kSyncCost : 1, m_clock.elapsed())) {
        m_tooFast.remove(page.token);
        return true;
    }
    if (!m_tooFast.contains(page.token)) // once a stream, not once a command
        qCInfo(lcGateway).noquote()
            << "web remote: commands from" << socket->peerAddress().toString()
            << "were refused: sent faster than a person presses";
    m_tooFast.insert(page.token);
    tellAsking(pageError(QStringLiteral("tooFast")));
    return false;
}

bool WebHub::mayAsk(QWebSocket *socket, const PageRequest::Request &request)
{
    if (!PageRequest::needsOwner(request))
        return true;
    const std::optional<WebAccess::Role> role =
        m_server->access().roleOf(m_pages.value(socket).token);
    if (role == WebAccess::Role::Owner)
        return true;
    qCWarning(lcGateway).noquote() << "web remote: an owner's request from a family device was "
                                      "refused (from"
                                   << socket->peerAddress().toString() + ')';
    tellAsking(pageError(QStringLiteral("ownerOnly")));
    return false;
}

void WebHub::askOwner(QWebSocket *socket, const PageRequest::Request &request)
{
    PageSession &session = *m_pages.value(socket).session;
    std::visit(
        Overloaded{
            [&](const PageRequest::Rename &rename) {
                m_owner.rename(rename, session.caller(QLatin1String(OwnerRequests::kRenameEnd)));
            },
            [&](const PageRequest::Remove &remove) { m_owner.remove(remove, session.caller()); },
            [&](const PageRequest::Answer &answer) {
                // Only the page the question was put to may answer it.
                if (!session.answer(answer.question, answer.button))
                    tellAsking(pageError(QStringLiteral("noQuestion")));
            },
            [this](const PageRequest::Detail &detail) { m_owner.detail(detail); },
            [this](const PageRequest::QueryState &query) { m_owner.queryState(query); },
            [this](const PageRequest::Transmitters &) { m_owner.listTransmitters(); },
            [&](const PageRequest::Backups &) {
                const PageBackups *backups = m_server->backups();
                tellAsking(backups ? backups->list(session.language())
                                   : pageError(QStringLiteral("noBackups")));
            },
            [&](const PageRequest::CleanAll &) { HomeActions(m_home).cleanAll(session.caller()); },
            [&](const PageRequest::BackUp &) {
                const PageBackups *backups = m_server->backups();
                tellAsking(backups ? backups->makeNow(session.language())
                                   : pageError(QStringLiteral("noBackups")));
            },
            [&](const PageRequest::SaveScenario &save) {
                m_scenarios.save(save, session.caller(QLatin1String(ScenarioRequests::kEnd)));
            },
            [&](const PageRequest::NameScenario &naming) {
                m_scenarios.nameBuiltIn(naming,
                                        session.caller(QLatin1String(ScenarioRequests::kEnd)));
            },
            [&](const PageRequest::DeleteScenario &deletion) {
                m_scenarios.remove(deletion, session.caller(QLatin1String(ScenarioRequests::kEnd)));
            },
            [&](const PageRequest::Decode &code) {
                m_enrolment.decode(socket, session.language(), code.code, session.caller().get());
            },
            [&](const PageRequest::Enrol &enrol) {
                m_enrolment.enrol(socket, enrol, session.caller());
            },
            [&](const PageRequest::ChangeSchedule &change) {
                tellAsking(m_schedules ? m_schedules->change(change, session.language())
                                       : pageError(QStringLiteral("badRequest"),
                                                   QStringLiteral("no schedules here")));
            },
            [](const auto &) {}},
        request);
}

void WebHub::tellEnrolling(PageEnrolment::Page page, const QJsonObject &message)
{
    // The page's own socket, while it is open.
    for (auto open = m_pages.cbegin(); open != m_pages.cend(); ++open)
        if (open.key() == page)
            return sendTo(open.key(), message);
}

void WebHub::tellAsking(const QJsonObject &message)
{
    if (m_asking)
        sendTo(m_asking, message);
    else
        broadcast(message);
}

void WebHub::sendText(QWebSocket *page, const QString &text)
{
    // A page that leaves what it was sent unread is not kept in memory for.
    if (m_server->holdsTooMuchFor(page)) {
        page->abort();
        return;
    }
    page->sendTextMessage(text);
}

void WebHub::sendTo(QWebSocket *page, const QJsonObject &message)
{
    sendText(page, QString::fromUtf8(compactJsonOf(message)));
}

void WebHub::broadcast(const QJsonObject &message)
{
    const QString text = QString::fromUtf8(compactJsonOf(message));
    for (QWebSocket *socket : m_pages.keys())
        sendText(socket, text);
}

void WebHub::broadcastHome(Sending sending)
{
    const QJsonObject home = homeOrError();
    // The link's seconds since its last answer change on their own: told apart.
    QJsonObject shown = home;
    shown.remove(QStringLiteral("link"));
    const QByteArray sent = compactJsonOf(shown);
    if (sending == Sending::OnChange && sent == m_homeSent)
        return;
    m_homeSent = sent;
    broadcast(home);
    // A schedule's action names what it drives: a renamed one is told anew.
    for (QWebSocket *socket : m_pages.keys())
        sendSchedules(socket, false);
}

void WebHub::sendChannel(const QString &id)
{
    const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(id);
    if (!device)
        return;
    m_commands.noteState(*device);
    QJsonObject message = channelOf(*device, *m_live);
    message.insert(QStringLiteral("type"), QStringLiteral("state"));
    broadcast(message);
}

void WebHub::sendUses(const QString &id)
{
    const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(id);
    if (!device)
        return;
    broadcast({{QStringLiteral("type"), QStringLiteral("uses")},
               {QStringLiteral("id"), id},
               {QStringLiteral("uses"), Channel::fromRecord(*device).useCount}});
}

void WebHub::onOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    if (!Wire::isChannelFamily(Wire::familyOf(fields)) ||
        Wire::operationOf(fields) != ChannelOperation::Control || outcome.isAcknowledged())
        return;
    // The page shows the state the home confirmed last, and why the press did nothing.
    QJsonObject message =
        pageError(outcome.kind == CommandOutcome::Kind::Refused ? QStringLiteral("refused")
                                                                : QStringLiteral("controlFailed"),
                  outcome.text());
    message.insert(QStringLiteral("id"), Wire::targetOf(fields)); // only that row's press ended
    broadcast(message);
    sendChannel(Wire::targetOf(fields));
}

void WebHub::onSettled(const QStringList &fields)
{
    const int operation = Wire::operationOf(fields);
    // Steps that store what no announcement tells: a scenario's, a channel enrolled.
    const bool storingStep =
        Wire::familyOf(fields) == Wire::scenarioName ||
        (Wire::isChannelFamily(Wire::familyOf(fields)) &&
         (operation == ChannelOperation::JoinScenario ||
          operation == ChannelOperation::LeaveScenario || operation == ChannelOperation::Add));
    if (!storingStep || m_homeDue)
        return;
    // After the reply's own handling and its follow-ups of this turn.
    m_homeDue = true;
    QTimer::singleShot(0, this, [this] {
        m_homeDue = false;
        broadcastHome();
    });
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

void WebHub::followAccessChanges()
{
    // Over a copy: a page closed here may leave the list at once.
    for (QWebSocket *socket : m_pages.keys()) {
        Page &page = m_pages[socket];
        const std::optional<WebAccess::Role> role = m_server->access().roleOf(page.token);
        if (!role) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                          QStringLiteral("this device's access was revoked"));
        } else if (*role != page.role) {
            page.role = *role;
            // A family member's device may not answer the owner's question it was put.
            if (*role != WebAccess::Role::Owner)
                page.session->dropQuestion();
            sendTo(socket, roleMessage(*role));
            sendSchedules(socket, false); // the home's location is an owner's to see
        }
    }
}
