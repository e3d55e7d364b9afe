// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagerequest.h"

#include "base/compactjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace PageRequest {
namespace {
// IDs and scenario numbers are short runs of letters, digits and "-" (All
// On and All Off are -1 and -2): anything else names nothing and is not passed on.
bool isPlainName(const QString &text)
{
    if (text.isEmpty() || text.size() > kMaxIdLength)
        return false;
    for (const QChar c : text)
        if (c.unicode() >= 0x80 || !(c.isLetterOrNumber() || c == QLatin1Char('-')))
            return false;
    return true;
}

std::optional<QString> plainName(const QJsonValue &value)
{
    return isPlainName(value.toString()) ? std::optional(value.toString()) : std::nullopt;
}

// A scenario's revision: absent or empty (a new scenario's), or a plain name.
std::optional<QString> revisionOf(const QJsonObject &request)
{
    const QJsonValue revision = request.value(QLatin1String("revision"));
    if (revision.isUndefined() || revision == QLatin1String(""))
        return QString();
    return plainName(revision);
}

Request saveScenario(const QJsonObject &request)
{
    SaveScenario save;
    const QJsonValue number = request.value(QLatin1String("number"));
    if (!number.isString() || (!number.toString().isEmpty() && !plainName(number)))
        return Refused{QStringLiteral("no such scenario")};
    save.number = number.toString();
    const std::optional<QString> revision = revisionOf(request);
    if (!revision)
        return Refused{QStringLiteral("no such revision")};
    save.revision = *revision;
    const QJsonValue name = request.value(QLatin1String("name"));
    const QJsonValue image = request.value(QLatin1String("image"));
    if (!name.isString() || name.toString().size() > kMaxNameLength || !image.isString() ||
        image.toString().size() > kMaxNameLength)
        return Refused{QStringLiteral("a scenario carries a name and a picture")};
    save.name = name.toString();
    save.image = image.toString();
    const QJsonValue members = request.value(QLatin1String("members"));
    if (!members.isArray() || members.toArray().size() > kMaxMembers)
        return Refused{QStringLiteral("a scenario carries its members")};
    for (const QJsonValue &member : members.toArray()) {
        QJsonObject fields = member.toObject();
        const std::optional<QString> id = plainName(fields.value(QLatin1String("id")));
        if (!id)
            return Refused{QStringLiteral("no such channel")};
        fields.remove(QStringLiteral("id"));
        save.members.append({*id, compactJsonOf(fields)});
    }
    return save;
}
// A schedule's ID: a whole number from 1 on; 0 where `newAllowed` (a new one).
std::optional<int> scheduleId(const QJsonValue &value, bool newAllowed)
{
    if (newAllowed && value.isUndefined())
        return 0;
    const double id = value.toDouble(-1);
    if (!value.isDouble() || id != std::trunc(id) || id < (newAllowed ? 0 : 1) ||
        id > kMaxScheduleId)
        return std::nullopt;
    return int(id);
}

// The schedules' changes: their fields' types checked here, what they mean by ScheduleRequests.
Request changeSchedule(const QString &type, const QJsonObject &request)
{
    const QJsonValue idValue = request.value(QLatin1String("id"));
    if (type == QLatin1String("setLocation")) {
        const QJsonValue latitude = request.value(QLatin1String("latitude"));
        const QJsonValue longitude = request.value(QLatin1String("longitude"));
        if (!latitude.isDouble() || !longitude.isDouble())
            return Refused{QStringLiteral("a location is a latitude and a longitude in degrees")};
        return ChangeSchedule{
            QStringLiteral("location"),
            {{QStringLiteral("latitude"), latitude}, {QStringLiteral("longitude"), longitude}}};
    }
    const std::optional<int> id = scheduleId(idValue, type == QLatin1String("saveSchedule"));
    if (!id)
        return Refused{QStringLiteral("no such schedule")};
    if (type == QLatin1String("saveSchedule")) {
        const QJsonValue schedule = request.value(QLatin1String("schedule"));
        if (!schedule.isObject())
            return Refused{QStringLiteral("a schedule's saving carries the schedule")};
        QJsonObject body{{QStringLiteral("schedule"), schedule}};
        if (*id)
            body.insert(QStringLiteral("id"), *id);
        return ChangeSchedule{*id ? QStringLiteral("edit") : QStringLiteral("add"), body};
    }
    const QJsonObject body{{QStringLiteral("id"), *id}};
    if (type == QLatin1String("deleteSchedule"))
        return ChangeSchedule{QStringLiteral("remove"), body};
    const QJsonValue on = request.value(QLatin1String("on"));
    if (!on.isBool())
        return Refused{QStringLiteral("a schedule is switched on or off")};
    return ChangeSchedule{on.toBool() ? QStringLiteral("on") : QStringLiteral("off"), body};
}
} // namespace

Request parse(const QByteArray &message)
{
    const QJsonDocument document = QJsonDocument::fromJson(message);
    if (!document.isObject())
        return Refused{QStringLiteral("not a request")};
    QJsonObject request = document.object();
    const QString type = request.value(QLatin1String("type")).toString();
    if (type == QLatin1String("set")) {
        const QString id = request.value(QLatin1String("id")).toString();
        if (!isPlainName(id))
            return Refused{QStringLiteral("no such channel")};
        request.remove(QStringLiteral("type"));
        request.remove(QStringLiteral("id"));
        return Set{id, compactJsonOf(request)};
    }
    if (type == QLatin1String("scenario")) {
        const QString number = request.value(QLatin1String("number")).toString();
        if (!isPlainName(number))
            return Refused{QStringLiteral("no such scenario")};
        return Scenario{number};
    }
    if (type == QLatin1String("sync"))
        return Sync{};
    if (type == QLatin1String("help"))
        return Help{};
    if (type == QLatin1String("transmitters"))
        return Transmitters{};
    if (type == QLatin1String("backups"))
        return Backups{};
    if (type == QLatin1String("backUp"))
        return BackUp{};
    if (type == QLatin1String("cleanAll"))
        return CleanAll{};
    if (type == QLatin1String("saveScenario"))
        return saveScenario(request);
    if (type == QLatin1String("schedules"))
        return Schedules{};
    if (type == QLatin1String("saveSchedule") || type == QLatin1String("switchSchedule") ||
        type == QLatin1String("deleteSchedule") || type == QLatin1String("setLocation"))
        return changeSchedule(type, request);
    if (type == QLatin1String("decode")) {
        const QJsonValue code = request.value(QLatin1String("code"));
        if (!code.isString() || code.toString().size() > kMaxIdLength * 2)
            return Refused{QStringLiteral("a code is a short text")};
        return Decode{code.toString()};
    }
    if (type == QLatin1String("enrol")) {
        const std::optional<QString> id = plainName(request.value(QLatin1String("id")));
        const QJsonValue names = request.value(QLatin1String("names"));
        if (!id || !names.isArray() || names.toArray().size() > kMaxMembers)
            return Refused{QStringLiteral("an enrolment names the unit and its channels")};
        Enrol enrol{*id, {}};
        for (const QJsonValue &name : names.toArray()) {
            if (!name.isString() || name.toString().size() > kMaxNameLength)
                return Refused{QStringLiteral("a channel's name is a short text")};
            enrol.names.append(name.toString());
        }
        return enrol;
    }
    if (type == QLatin1String("nameScenario")) {
        const std::optional<QString> number = plainName(request.value(QLatin1String("number")));
        const QJsonValue name = request.value(QLatin1String("name"));
        const QJsonValue image = request.value(QLatin1String("image"));
        if (!number || !name.isString() || name.toString().size() > kMaxNameLength ||
            !image.isString() || image.toString().size() > kMaxNameLength)
            return Refused{
                QStringLiteral("a scenario's naming carries its number, name and picture")};
        return NameScenario{*number, name.toString(), image.toString()};
    }
    if (type == QLatin1String("deleteScenario")) {
        const std::optional<QString> number = plainName(request.value(QLatin1String("number")));
        const std::optional<QString> revision = revisionOf(request);
        if (!number || !revision)
            return Refused{QStringLiteral("no such scenario")};
        return DeleteScenario{*number, *revision};
    }
    if (type == QLatin1String("answer")) {
        const QJsonValue question = request.value(QLatin1String("question"));
        const QJsonValue button = request.value(QLatin1String("button"));
        if (!question.isDouble() || !button.isDouble())
            return Refused{QStringLiteral("an answer names its question and button")};
        return Answer{question.toInt(-1), button.toInt(-1)};
    }
    if (type == QLatin1String("rename") || type == QLatin1String("remove") ||
        type == QLatin1String("detail") || type == QLatin1String("get")) {
        const QString id = request.value(QLatin1String("id")).toString();
        if (!isPlainName(id))
            return Refused{QStringLiteral("no such device")};
        if (type == QLatin1String("remove"))
            return Remove{id};
        if (type == QLatin1String("detail"))
            return Detail{id};
        if (type == QLatin1String("get"))
            return QueryState{id};
        const QJsonValue name = request.value(QLatin1String("name"));
        if (!name.isString() || name.toString().size() > kMaxNameLength)
            return Refused{QStringLiteral("a rename carries a name")};
        return Rename{id, name.toString()};
    }
    if (type.isEmpty())
        return Refused{QStringLiteral("not a request")};
    return Refused{QStringLiteral("no such request: %1").arg(type.left(kMaxIdLength))};
}
bool needsOwner(const Request &request)
{
    return !std::holds_alternative<Set>(request) && !std::holds_alternative<Scenario>(request) &&
           !std::holds_alternative<Sync>(request) && !std::holds_alternative<Help>(request) &&
           !std::holds_alternative<Schedules>(request) && !std::holds_alternative<Refused>(request);
}
} // namespace PageRequest
