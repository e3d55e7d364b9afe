// SPDX-License-Identifier: GPL-3.0-or-later
// The web remote's messages: any bytes give a request whose names are plain
// and whose set payload is a JSON object SetPayload can judge, or a reason.
#include "fuzzprocess.h"
#include "mqtt/setpayload.h"
#include "web/pagerequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cstdlib>

namespace {
bool isPlain(const QString &name)
{
    if (name.isEmpty() || name.size() > PageRequest::kMaxIdLength)
        return false;
    for (const QChar c : name)
        if (c.unicode() >= 0x80 || c.unicode() == ',' || c.unicode() < 0x20)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const PageRequest::Request request = PageRequest::parse(fuzzBytes(data, size));
    if (const auto *set = std::get_if<PageRequest::Set>(&request)) {
        if (!isPlain(set->id) || !QJsonDocument::fromJson(set->payload).isObject())
            std::abort();
        for (const auto channel : {SetPayload::Channel::Switch, SetPayload::Channel::Dimmer,
                                   SetPayload::Channel::Curtain}) {
            QString error;
            if (!SetPayload::parse(set->payload, channel, &error) && error.isEmpty())
                std::abort();
        }
    } else if (const auto *scenario = std::get_if<PageRequest::Scenario>(&request)) {
        if (!isPlain(scenario->number))
            std::abort();
    } else if (const auto *change = std::get_if<PageRequest::ChangeSchedule>(&request)) {
        // A known change; a schedule named by a whole number in range, a location by two numbers.
        static const QStringList verbs{"add", "edit", "on", "off", "remove", "location"};
        if (!verbs.contains(change->verb))
            std::abort();
        const QJsonValue id = change->body.value(QLatin1String("id"));
        if (change->verb == QLatin1String("location")
                ? !change->body.value(QLatin1String("latitude")).isDouble() ||
                      !change->body.value(QLatin1String("longitude")).isDouble()
                : change->verb != QLatin1String("add") &&
                      (id.toInt(0) < 1 || id.toInt(0) > PageRequest::kMaxScheduleId))
            std::abort();
    } else if (const auto *refused = std::get_if<PageRequest::Refused>(&request)) {
        if (refused->reason.isEmpty())
            std::abort();
    }
    return 0;
}
