// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "access/webaccess.h"
#include "bridgetopics.h"
#include "control/homeservices.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QSet>
#include <QVariantMap>

#include <functional>
#include <optional>
#include <variant>

// The requests on "<base>/bridge/request/<name>", each answered on
// "<base>/bridge/response/<name>" with its status, data or error and the
// caller's transaction: sync (the import), device/rename, state, health,
// schedule/<verb> (when schedules are handled: see ScheduleRequests) and,
// when the web remote is served, web/pair (a one-time pairing link for a
// family member's device, answered on "<base>/bridge/response/web/pair/
// <reply_to>", a topic the asker names; an owner's link is refused: only the
// owner makes one).
class BridgeRequests final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BridgeRequests)

public:
    using Publish = std::function<void(const QString &topic, const QByteArray &payload)>;
    // What health reports beside the bridge itself.
    using Health = std::function<QVariantMap()>;

    BridgeRequests(const HomeServices &home, BridgeTopics topics, Publish publish, Health health,
                   QObject *parent = nullptr);

    // Makes a family member's pairing link, asked for over MQTT, under the
    // given address, or the page's own when empty.
    using WebPairing = std::function<std::optional<QString>(const QString &url, QString *error)>;
    void setWebPairing(WebPairing pairing) { m_webPairing = std::move(pairing); }
    // Handles "schedule/<verb>": the data to answer with, or the error.
    using ScheduleChanges =
        std::function<std::variant<QJsonValue, QString>(const QString &verb, const QJsonObject &)>;
    void setScheduleChanges(ScheduleChanges changes) { m_scheduleChanges = std::move(changes); }
    // web/pair is answered with a refusal, the web remote served or not.
    void switchOffWebPairing() { m_webPairingOff = true; }

    void handle(const QString &name, const QByteArray &payload);

    static constexpr qsizetype kMaxBytes = 4096;

private:
    struct Pending {
        QString name;
        QJsonValue transaction;
    };

    void sync(const Pending &request);
    void rename(const Pending &request, const QVariantMap &body);
    void state(const Pending &request, const QVariantMap &body);
    void webPair(const Pending &request, const QVariantMap &body);
    void respond(const Pending &request, const QVariant &data);
    void fail(const Pending &request, const QString &error);
    void answerWith(const Pending &request, const std::variant<QJsonValue, QString> &outcome);
    // The answer on the request's response topic, with the caller's transaction.
    void answer(const Pending &request, QJsonObject answer);

    HomeServices m_home;
    BridgeTopics m_topics;
    Publish m_publish;
    Health m_health;
    WebPairing m_webPairing;
    ScheduleChanges m_scheduleChanges;
    bool m_webPairingOff = false;
    QList<Pending> m_syncs;
    QSet<QString> m_renaming; // the channels whose rename is under way
};
