// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "access/webaccess.h"
#include "commandpace.h"
#include "mqtt/bridgecommands.h"
#include "ownerrequests.h"
#include "pageenrolment.h"
#include "pagesession.h"
#include "scenariorequests.h"
#include "store/storeretry.h"
#include "transport/commandoutcome.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <memory>

class LiveHome;
class MasterLink;
class PageSchedules;
class ScheduleRequests;
class ScheduleRunner;
class QWebSocket;
class WebRemoteServer;

// The open pages of the web remote: each gets its device's role and the home
// when it connects and every confirmed change after; what a page asks for
// goes through the same commands as the bridge's "set" topics, and what only
// an owner may ask through OwnerRequests, refused (and logged) for a family
// member's device. Each page's change runs through the app's flows with a
// caller of that page's own (PageSession): its outcome and question reach
// that page alone. Owners' pages change the home at the same time; a change
// made on a scenario since changed elsewhere is refused by its revision. A
// page whose device's token is revoked is closed at once; one whose role
// changes is told (and, no owner's now, may not answer its question).
//
// A family member's page sends its presses at a person's rate (CommandPace),
// and fills the command queue to half its room at most, so that no page can
// keep the home busy; an owner's change is never held back for them (a
// full queue still refuses it, as it refuses the app).
class WebHub final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebHub)

public:
    WebHub(const HomeServices &home, WebRemoteServer *server, const MasterLink *link,
           BridgeTopics topics, QObject *parent = nullptr);
    ~WebHub() override;

    // Every open page is pinged this often; one that has not answered the
    // last ping by the next (a phone gone to sleep, a network gone) is
    // closed, so that nothing piles up for it.
    static constexpr int kKeepAliveMs = 30000;
    void setKeepAliveInterval(int milliseconds) { m_keepAlive.setInterval(milliseconds); }
    // What an import of the whole home costs of a device's pace.
    static constexpr int kSyncCost = CommandPace::kBurst / 2;
    int pageCount() const { return int(m_pages.size()); }
    // The whole home as a page shows it; when the store cannot be read, the
    // error that says so (a page keeps what it shows), and the store is
    // tried again until every page can have the home.
    QJsonObject homeOrError();
    // The master's link: "online", "offline" or "unknown", and the seconds
    // since it last answered (null before its first answer).
    QJsonObject link() const;
    // The home's schedules shown on every page (an owner's changes them):
    // sent with the home and again whenever what a page shows of them changes.
    void showSchedules(ScheduleRunner *runner, ScheduleRequests *requests);

private:
    struct Page {
        QString token;
        WebAccess::Role role = WebAccess::Role::Family;
        QString language;                     // of the page's own texts: toasts are told in it
        std::shared_ptr<PageSession> session; // what its flows tell it
        QByteArray schedulesSent;             // the schedules as last sent to it
    };

    void open(QWebSocket *socket, const QString &token);
    void receive(QWebSocket *socket, const QString &message);
    // Whether the page may add to the command queue now; refused (and told) if not.
    bool mayQueue(QWebSocket *socket, const PageRequest::Request &request);
    // Whether the page's device may ask it (its role read afresh); refused and logged if not.
    bool mayAsk(QWebSocket *socket, const PageRequest::Request &request);
    void askOwner(QWebSocket *socket, const PageRequest::Request &request);
    void closed(QWebSocket *socket);
    // What an enrolment tells goes to the page that decoded or enrols, while it is open.
    void tellEnrolling(PageEnrolment::Page page, const QJsonObject &message);
    // Nothing more goes to a page that left too much unread: it is cut off.
    void sendText(QWebSocket *page, const QString &text);
    void sendTo(QWebSocket *page, const QJsonObject &message);
    void broadcast(const QJsonObject &message);
    enum class Sending { Always, OnChange };
    // The whole home to every page; OnChange: not when it is as last sent to them all.
    void broadcastHome(Sending sending = Sending::Always);
    // To the page whose request is being handled; to every page outside one.
    void tellAsking(const QJsonObject &message);
    void sendChannel(const QString &id);
    // The schedules to one page (`always`: even when it has them as they are).
    void sendSchedules(QWebSocket *socket, bool always);
    // A channel's new use count, on its own: not an answer to a press.
    void sendUses(const QString &id);
    void followAccessChanges();
    void keepAlive();
    void onOutcome(const QStringList &fields, const CommandOutcome &outcome);
    // A scenario's step or a channel's enrolment answered: the store may have changed.
    void onSettled(const QStringList &fields);

    HomeServices m_home;
    WebRemoteServer *m_server;
    const MasterLink *m_link;
    const LiveHome *m_live;
    BridgeCommands m_commands;
    QHash<QWebSocket *, Page> m_pages;
    QWebSocket *m_asking = nullptr;
    OwnerRequests m_owner;
    ScenarioRequests m_scenarios;
    PageEnrolment m_enrolment;
    std::unique_ptr<PageSchedules> m_schedules;
    bool m_homeDue = false;          // a storing step was answered: the home goes out once
    QByteArray m_homeSent;           // the home (but its link) as last sent to every page
    QSet<QWebSocket *> m_unanswered; // pinged, no pong yet
    CommandPace m_pace;
    QSet<QString> m_tooFast; // devices whose last command was refused so (logged once)
    QElapsedTimer m_clock;   // the pace's
    QTimer m_keepAlive;
    QFileSystemWatcher m_accessFile;
    StoreRetry m_storeRetry;
};
