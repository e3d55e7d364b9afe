// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

// What a page of the web remote asks over its WebSocket, one JSON object
// per message: {"type":"set","id":...,"state"/"brightness":...},
// {"type":"scenario","number":...}, {"type":"sync"} or {"type":"help"},
// which every paired device may ask; and, for the owner's devices only, {"type":"rename","id":
// ...,"name":...}, {"type":"remove","id":...}, {"type":"get","id":...} (the
// channel asked its state, as the app asks a device ticked for a scenario),
// {"type":"answer","question":
// N,"button":N} (to the question a removal raised), {"type":"detail","id":
// ...}, {"type":"transmitters"},
// {"type":"backups"} (the kept backups), {"type":"backUp"} (one made now),
// {"type":"cleanAll"} (the home wiped, as the app's settings menu does it),
// {"type":"nameScenario","number":N,"name":...,"image":...} (All On or All Off
// renamed or given a picture),
// {"type":"saveScenario","number":N or "" for a new
// one,"name":...,"image":...,"members":[{"id":...,"state"/ "brightness":...}, ...],"revision":R},
// {"type":"deleteScenario","number":N, "revision":R} (R: the scenario's revision as the page was
// told it, for a stored scenario),
// {"type":"decode","code":...} (a unit's printed code) and {"type":"enrol",
// "id":...,"names":[...]}; {"type":"schedules"} (the home's schedules, for
// every paired device) and, an owner's again, {"type":"saveSchedule","id":N
// (absent or 0 for a new one),"schedule":{...}} (in the stored JSON form),
// {"type":"switchSchedule","id":N,"on":true|false}, {"type":"deleteSchedule",
// "id":N} and {"type":"setLocation","latitude":52.5,"longitude":13.4}. A set's
// own fields (and a member's) travel on as the payload a channel's "set"
// topic would carry.
namespace PageRequest {
struct Set {
    QString id;
    QByteArray payload; // JSON, read by SetPayload
};
struct Scenario {
    QString number;
};
struct Sync {};
struct Help {};
struct Rename {
    QString id;
    QString name; // as the page sent it: the rules of names are the owner's requests'
};
struct Remove {
    QString id;
};
struct Answer {
    int question;
    int button;
};
struct Detail {
    QString id;
};
struct QueryState {
    QString id;
};
struct Transmitters {};
struct Backups {};
struct BackUp {};
struct CleanAll {};
struct SaveScenario {
    struct Member {
        QString id;
        QByteArray payload; // JSON, read by SetPayload
    };
    QString number; // empty for a new scenario
    QString name;
    QString image;
    QList<Member> members;
    QString revision; // of the stored scenario changed; empty for a new one
};
struct NameScenario {
    QString number; // a built-in's
    QString name;
    QString image;
};
struct DeleteScenario {
    QString number;
    QString revision;
};
struct Decode {
    QString code; // as typed or read: the decoder judges it
};
struct Enrol {
    QString id;
    QStringList names; // per channel, in order; empty: the channel's default
};
struct Schedules {};
// A change to the home's schedules, as ScheduleRequests takes it.
struct ChangeSchedule {
    QString verb; // add, edit, on, off, remove, location
    QJsonObject body;
};
struct Refused {
    QString reason;
};
using Request = std::variant<Set, Scenario, Sync, Help, Rename, Remove, Answer, Detail, QueryState,
                             Transmitters, Backups, BackUp, CleanAll, SaveScenario, NameScenario,
                             DeleteScenario, Decode, Enrol, Schedules, ChangeSchedule, Refused>;

constexpr qsizetype kMaxIdLength = 32;
// Longer than any name the home takes, so that a refusal can say why.
constexpr qsizetype kMaxNameLength = 256;
// More than a home has channels; a scenario of more is not asked for by a page.
constexpr qsizetype kMaxMembers = 64;
// More than any store's row number a schedule will have.
constexpr int kMaxScheduleId = 1000000;

Request parse(const QByteArray &message);
// Whether only an owner's device may ask it.
bool needsOwner(const Request &request);
} // namespace PageRequest
