// SPDX-License-Identifier: GPL-3.0-or-later
#include "setpayload.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
using Request = SetPayload::Request;

std::optional<Request> fail(QString *error, const QString &reason)
{
    *error = reason;
    return std::nullopt;
}

std::optional<Request> forCurtain(const QString &state, QString *error)
{
    if (state == QLatin1String("OPEN"))
        return Request{Request::Action::Move, false, -1, QStringLiteral("1")};
    if (state == QLatin1String("CLOSE"))
        return Request{Request::Action::Move, false, -1, QStringLiteral("0")};
    if (state == QLatin1String("STOP"))
        return Request{Request::Action::Move, false, -1, QStringLiteral("2")};
    return fail(error, QStringLiteral("a curtain takes OPEN, CLOSE or STOP"));
}

std::optional<Request> forLight(const std::optional<QString> &state,
                                const std::optional<int> &brightness, bool dimmable, QString *error)
{
    if (state && *state != QLatin1String("ON") && *state != QLatin1String("OFF"))
        return fail(error, QStringLiteral("a light takes ON or OFF"));
    if (!dimmable) {
        if (brightness)
            return fail(error, QStringLiteral("this light only switches: no brightness"));
        if (!state)
            return fail(error, QStringLiteral("nothing to set"));
        return Request{Request::Action::Switch, *state == QLatin1String("ON"), -1, {}};
    }
    if (state == QLatin1String("OFF"))
        return Request{Request::Action::Dim, false, 0, {}};
    if (brightness)
        return Request{Request::Action::Dim, *brightness > 0, *brightness, {}};
    if (!state)
        return fail(error, QStringLiteral("nothing to set"));
    return Request{Request::Action::Dim, true, -1, {}};
}
} // namespace

std::optional<Request> SetPayload::parse(const QByteArray &payload, Channel channel, QString *error)
{
    if (payload.size() > kMaxBytes)
        return fail(error, QStringLiteral("the message is over %1 bytes").arg(kMaxBytes));
    const QByteArray trimmed = payload.trimmed();
    if (!trimmed.startsWith('{')) { // a plain word
        const QString word = QString::fromUtf8(trimmed).toUpper();
        if (channel == Channel::Curtain)
            return forCurtain(word, error);
        return forLight(word, std::nullopt, channel == Channel::Dimmer, error);
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(trimmed, &parseError);
    if (!document.isObject())
        return fail(error, QStringLiteral("not a JSON object"));
    const QJsonObject object = document.object();
    // What the home cannot carry out (a flash, a transition, a colour) is
    // refused, not done in part.
    for (const QString &key : object.keys())
        if (key != QLatin1String("state") &&
            (channel == Channel::Curtain || key != QLatin1String("brightness")))
            return fail(error, QStringLiteral("%1 is not carried out").arg(key));
    std::optional<QString> state;
    if (object.contains(QLatin1String("state"))) {
        if (!object.value(QLatin1String("state")).isString())
            return fail(error, QStringLiteral("state must be a text"));
        state = object.value(QLatin1String("state")).toString().toUpper();
    }
    if (channel == Channel::Curtain)
        return state ? forCurtain(*state, error) : fail(error, QStringLiteral("no state"));
    std::optional<int> brightness;
    if (object.contains(QLatin1String("brightness"))) {
        const double level = object.value(QLatin1String("brightness")).toDouble(-1);
        if (level < 0 || level > 100 || level != int(level))
            return fail(error, QStringLiteral("brightness must be a whole number from 0 to 100"));
        brightness = int(level);
    }
    return forLight(state, brightness, channel == Channel::Dimmer, error);
}
