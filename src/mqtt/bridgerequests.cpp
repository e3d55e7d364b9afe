// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridgerequests.h"

#include "base/compactjson.h"

#include "access/webaccess.h"
#include "control/devicecommands.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "mqttrequestcaller.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "transport/commandline.h"
#include "transport/wirevocabulary.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QRegularExpression>

namespace {
constexpr qsizetype kMaxNameLength = 64;
}

BridgeRequests::BridgeRequests(const HomeServices &home, BridgeTopics topics, Publish publish,
                               Health health, QObject *parent)
    : QObject(parent), m_home(home), m_topics(std::move(topics)), m_publish(std::move(publish)),
      m_health(std::move(health))
{
}

void BridgeRequests::handle(const QString &name, const QByteArray &payload)
{
    Pending request{name, {}};
    QVariantMap body;
    QJsonObject object;
    if (payload.size() > kMaxBytes) {
        fail(request, QStringLiteral("the request is over %1 bytes").arg(kMaxBytes));
        return;
    }
    if (!payload.trimmed().isEmpty()) {
        const QJsonDocument document = QJsonDocument::fromJson(payload);
        if (!document.isObject()) {
            fail(request, QStringLiteral("the request is not a JSON object"));
            return;
        }
        request.transaction = document.object().value(QLatin1String("transaction"));
        object = document.object();
        body = object.toVariantMap();
    }
    if (name == QLatin1String("health"))
        respond(request, m_health());
    else if (name == QLatin1String("sync"))
        sync(request);
    else if (name == QLatin1String("device/rename"))
        rename(request, body);
    else if (name == QLatin1String("state"))
        state(request, body);
    else if (name == QLatin1String("web/pair"))
        webPair(request, body);
    else if (name.startsWith(QLatin1String("schedule/")) && m_scheduleChanges)
        answerWith(request, m_scheduleChanges(name.mid(9), object));
    else
        fail(request, QStringLiteral("no such request: %1").arg(name));
}

void BridgeRequests::sync(const Pending &request)
{
    const std::optional<QList<QVariantMap>> transmitters = m_home.store.superBoxesIfReadable();
    if (!transmitters || transmitters->isEmpty()) {
        fail(request, transmitters ? QStringLiteral("no transmitter is enrolled")
                                   : QStringLiteral("the store could not be read"));
        return;
    }
    m_syncs.append(request);
    if (m_syncs.size() > 1)
        return; // one import answers every request made while it runs
    QPointer<BridgeRequests> self(this);
    m_home.import.sendTCPMessageWithCommandArray(
        TCPSocketManager::importRequest(), std::nullopt,
        MqttRequestCaller::make([self](const FlowOutcome &outcome) {
            if (!self)
                return;
            const QList<Pending> waiting = std::exchange(self->m_syncs, {});
            for (const Pending &request : waiting) {
                if (outcome.isDone())
                    self->respond(request, QVariantMap{{QStringLiteral("imported"), true}});
                else
                    self->fail(request, QStringLiteral("the master's configuration could not be "
                                                       "imported"));
            }
        }));
}

void BridgeRequests::rename(const Pending &request, const QVariantMap &body)
{
    const QString id = body.value(QStringLiteral("id")).toString();
    const QString name = body.value(QStringLiteral("name")).toString().trimmed();
    std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(id);
    if (!device) {
        fail(request, QStringLiteral("no channel %1").arg(id));
        return;
    }
    if (name.isEmpty() || name.size() > kMaxNameLength || !CommandLine::isSendableField(name)) {
        fail(request, QStringLiteral("a name has 1 to %1 characters, %2")
                          .arg(kMaxNameLength)
                          .arg(CommandLine::fieldRule()));
        return;
    }
    if (m_renaming.contains(id)) {
        fail(request, QStringLiteral("a rename of %1 is under way").arg(id));
        return;
    }
    m_renaming.insert(id);
    // The rename's own outcome answers the request; the guard keeps this
    // object's lifetime out of a flow that may end after it.
    QPointer<BridgeRequests> self(this);
    DeviceCommands(m_home).renameDevice(
        *device, name,
        MqttRequestCaller::make([self, request, id, name](const FlowOutcome &outcome) {
            if (!self)
                return;
            self->m_renaming.remove(id);
            if (outcome.isDone())
                self->respond(request, QVariantMap{{QStringLiteral("id"), id},
                                                   {QStringLiteral("name"), name}});
            else
                self->fail(
                    request,
                    QStringLiteral("the master did not take the name (%1)")
                        .arg(
                            outcome.code
                                ? QStringLiteral("%1_%2").arg(outcome.kindName()).arg(*outcome.code)
                                : outcome.kindName()));
        }));
}

void BridgeRequests::state(const Pending &request, const QVariantMap &body)
{
    QStringList ids = body.value(QStringLiteral("ids")).toStringList();
    QList<QVariantMap> devices;
    if (ids.isEmpty())
        devices = m_home.store.readAllMainDeviceInfo();
    for (const QString &id : std::as_const(ids)) {
        const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(id);
        if (!device) {
            fail(request, QStringLiteral("no channel %1").arg(id));
            return;
        }
        devices.append(*device);
    }
    for (const QVariantMap &device : std::as_const(devices))
        m_home.channel.queryStateInBackground(device);
    respond(request, QVariantMap{{QStringLiteral("asked"), devices.size()}});
}

void BridgeRequests::webPair(const Pending &request, const QVariantMap &body)
{
    if (m_webPairingOff) {
        fail(request, QStringLiteral("pairing links are not given over MQTT here "
                                     "(web-pair-requests=off)"));
        return;
    }
    if (!m_webPairing) {
        fail(request, QStringLiteral("the web remote is not served (see web-listen)"));
        return;
    }
    // A link pairs a device: it goes only to the topic the asker named,
    // which the broker's rules can keep for the asker alone.
    static const QRegularExpression topicLevel(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    const QString replyTo = body.value(QStringLiteral("reply_to")).toString();
    if (!topicLevel.match(replyTo).hasMatch()) {
        fail(request, QStringLiteral("name the topic for the link with \"reply_to\" (letters, "
                                     "digits, \"_\" or \"-\", at most 64): it is answered on "
                                     "%1/<reply_to>")
                          .arg(m_topics.bridge(QStringLiteral("response/") + request.name)));
        return;
    }
    const Pending asker{request.name + QLatin1Char('/') + replyTo, request.transaction};
    // Anyone who may publish on the broker may ask: an owner's link is made
    // only by the owner, on the bridge's own machine.
    const QVariant roleName = body.value(QStringLiteral("role"));
    if (!roleName.isNull() &&
        WebAccess::roleNamed(roleName.toString()) != WebAccess::Role::Family) {
        fail(asker, roleName.toString() == QLatin1String("owner")
                        ? QStringLiteral("an owner's link is not given over MQTT: the owner makes "
                                         "one with ardentia-ctl web-pair --owner")
                        : QStringLiteral("\"role\" is \"family\", or left out"));
        return;
    }
    QString error;
    const std::optional<QString> link =
        m_webPairing(body.value(QStringLiteral("url")).toString(), &error);
    if (!link) {
        fail(asker, error);
        return;
    }
    respond(asker, QVariantMap{{QStringLiteral("link"), *link},
                               {QStringLiteral("role"), WebAccess::nameOf(WebAccess::Role::Family)},
                               {QStringLiteral("expiresIn"), WebAccess::kCodeLifetimeSeconds}});
}

void BridgeRequests::respond(const Pending &request, const QVariant &data)
{
    answer(request, {{QStringLiteral("status"), QStringLiteral("ok")},
                     {QStringLiteral("data"), QJsonValue::fromVariant(data)}});
}

void BridgeRequests::answerWith(const Pending &request,
                                const std::variant<QJsonValue, QString> &outcome)
{
    if (const QString *error = std::get_if<QString>(&outcome))
        fail(request, *error);
    else
        answer(request, {{QStringLiteral("status"), QStringLiteral("ok")},
                         {QStringLiteral("data"), std::get<QJsonValue>(outcome)}});
}

void BridgeRequests::fail(const Pending &request, const QString &error)
{
    answer(request,
           {{QStringLiteral("status"), QStringLiteral("error")}, {QStringLiteral("error"), error}});
}

void BridgeRequests::answer(const Pending &request, QJsonObject answer)
{
    if (!request.transaction.isUndefined())
        answer.insert(QStringLiteral("transaction"), request.transaction);
    m_publish(m_topics.bridge(QStringLiteral("response/") + request.name), compactJsonOf(answer));
}
