// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "actingpage.h"
#include "bridgecommands.h"
#include "commandpace.h"
#include "ownerrequests.h"
#include "pageenrolment.h"
#include "pagetoasts.h"
#include "scenariorequests.h"
#include "storeretry.h"
#include "transport/commandoutcome.h"
#include "web/webaccess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <optional>

class LiveHome;
class MasterLink;
class QWebSocket;
class WebRemoteServer;

// The open pages of the web remote: each gets its device's role and the home
// when it connects and every confirmed change after; what a page asks for
// goes through the same commands as the bridge's "set" topics, and what only
// an owner may ask through OwnerRequests, refused (and logged) for a family
// member's device, and one owner's page at a time (ActingPage): what that
// change tells, it tells that page alone. A page whose device's token is
// revoked is closed at once; one whose role changes is told (and, no owner's
// now, hears no more of an owner's change it started).
//
// A family member's page sends its presses at a person's rate (CommandPace),
// and fills the command queue to half its room at most, so that no page can
// keep the home busy. An owner's change that finds the home busy with
// commands alone (no other owner's question open) waits for them, up to
// kChangeWaitMs, instead of being refused; meanwhile the other pages'
// commands are refused "busy", so that the queue empties.
class WebHub final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebHub)

public:
    WebHub(WebRemoteServer *server, const MasterLink *link, const LiveHome *live,
           BridgeTopics topics, QObject *parent = nullptr);
    ~WebHub() override;

    // Every open page is pinged this often; one that has not answered the
    // last ping by the next (a phone gone to sleep, a network gone) is
    // closed, so that nothing piles up for it.
    static constexpr int kKeepAliveMs = 30000;
    void setKeepAliveInterval(int milliseconds) { m_keepAlive.setInterval(milliseconds); }
    void setQuestionHold(int milliseconds) { m_owner.setQuestionHold(milliseconds); }
    static constexpr int kChangeWaitMs = 5000;
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

private:
    struct Page {
        QString token;
        WebAccess::Role role = WebAccess::Role::Family;
        QString language; // of the page's own texts: toasts are told in it
    };

    void open(QWebSocket *socket, const QString &token);
    void receive(QWebSocket *socket, const QString &message);
    // An owner's change may wait for the queue until then.
    void handle(QWebSocket *socket, const QString &message, const QDeadlineTimer &waitUntil);
    // Whether the page may add to the command queue now; refused (and told) if not.
    bool mayQueue(QWebSocket *socket, const PageRequest::Request &request);
    // Whether that page's change may start now (it is then the acting page).
    bool startsNow(QWebSocket *socket, const PageRequest::Request &request);
    // The change that waits for the queue is handled again once the queue
    // is free, or its wait is over.
    void retryWaiting();
    // Whether the page's device may ask it (its role read afresh); refused and logged if not.
    bool mayAsk(QWebSocket *socket, const PageRequest::Request &request);
    void askOwner(const PageRequest::Request &request);
    void closed(QWebSocket *socket);
    // The page (closed, or no owner's now) hears no more of the owner's
    // change it started, and its question is dropped.
    void leaveChange(QWebSocket *socket);
    // Whether that page's change may start now (it is then the acting page).
    bool takeTheHome(QWebSocket *socket);
    // To the page whose request is being handled; else to the acting page.
    // A question that no page would hear is dropped: none could answer it.
    void tellActing(const QJsonObject &message);
    void forwardToast(const QString &title, const QString &detail, bool good);
    void sendToast(QWebSocket *page, const QString &title, const QString &detail, bool good);
    // Tells the outcome of a flow to the page whose request is being handled.
    ScenarioRequests::TellOutcome outcomeLineToAsking();
    // Who hears what a flow tells: the page whose request is being handled,
    // else the acting page, else none.
    QWebSocket *toldPage() const;
    // Nothing more goes to a page that left too much unread: it is cut off.
    void sendText(QWebSocket *page, const QString &text);
    void sendTo(QWebSocket *page, const QJsonObject &message);
    void broadcast(const QJsonObject &message);
    // To the page whose request is being handled; to every page outside one.
    void tellAsking(const QJsonObject &message);
    void sendChannel(const QString &id);
    void followAccessChanges();
    void keepAlive();
    void onOutcome(const QStringList &fields, const CommandOutcome &outcome);
    // A scenario's step or a channel's enrolment answered: the store may have changed.
    void onSettled(const QStringList &fields);

    WebRemoteServer *m_server;
    const MasterLink *m_link;
    const LiveHome *m_live;
    BridgeCommands m_commands;
    QHash<QWebSocket *, Page> m_pages;
    QWebSocket *m_asking = nullptr;
    // A switch, a dimmer, a curtain or a scenario run whose reply is being
    // handled: a toast of it is no acting page's (the pages hear its outcome).
    bool m_settlingPress = false;
    OwnerRequests m_owner;
    ScenarioRequests m_scenarios;
    PageEnrolment m_enrolment;
    ActingPage m_acting;
    bool m_homeDue = false; // a storing step was answered: the home goes out once
    PageToasts m_toasts;
    QSet<QWebSocket *> m_unanswered; // pinged, no pong yet
    CommandPace m_pace;
    QSet<QString> m_tooFast; // devices whose last command was refused so (logged once)
    QElapsedTimer m_clock;   // the pace's
    struct Waiting {
        QWebSocket *page = nullptr;
        QString message;
        QDeadlineTimer until;
    };
    std::optional<Waiting> m_waiting; // an owner's change waiting for the queue
    QTimer m_waitCheck;
    QTimer m_keepAlive;
    QFileSystemWatcher m_accessFile;
    StoreRetry m_storeRetry;
};
