// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Faults the simulator plays on purpose, chosen per command family,
// operation and ID: what a flaky radio, a busy transmitter or a broken
// firmware would do to a reply.
struct FaultRule {
    enum class Action { Drop, Delay, Code, NoToken, BadUtf8, Short, InPlace };

    QString family = QStringLiteral("*");
    QString op = QStringLiteral("*");
    QString id = QStringLiteral("*");
    Action action = Action::Drop;
    int value = 0;     // milliseconds for Delay (the shortest), the result code for Code
    int valueMax = 0;  // the longest delay of a range ("delay:0-50"), else value
    int percent = 100; // how often the rule plays, for "drop:5%"

    bool matches(const QStringList &requestFields) const;
    // The reply with this fault applied (Drop and Delay leave it as it is).
    QByteArray applyTo(const QByteArray &reply) const;

    // "FAMILY:OP:ID=ACTION[:VALUE]", "*" for any, e.g. "lig:12:*=code:135",
    // "scenario:1:*=inplace" (the code takes the last request field's place
    // instead of following it),
    // "gw:1:*=drop", "*:*:*=delay:3000", "curtain:*:*=notoken"; a drop may
    // play on a share of the replies ("drop:5%"), a delay may be a range
    // ("delay:0-50").
    static std::optional<FaultRule> parse(const QString &text, QString *error);
};
