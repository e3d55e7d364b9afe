// SPDX-License-Identifier: GPL-3.0-or-later
#include "faultrule.h"

#include <QRegularExpression>

bool FaultRule::matches(const QStringList &fields) const
{
    const auto fits = [](const QString &pattern, const QString &value) {
        return pattern == QLatin1String("*") || pattern == value;
    };
    return fields.size() >= 4 && fits(family, fields.at(1)) && fits(op, fields.at(3)) &&
           fits(id, fields.at(2));
}

QByteArray FaultRule::applyTo(const QByteArray &reply) const
{
    switch (action) {
    case Action::Code: {
        const qsizetype comma = reply.lastIndexOf(',');
        return reply.left(comma + 1) + QByteArray::number(value) + "\\n";
    }
    case Action::NoToken:
        return reply.startsWith("token") ? reply.mid(5) : reply;
    case Action::BadUtf8:
        return reply.left(reply.size() / 2) + "\xff\xfe" + reply.mid(reply.size() / 2);
    case Action::Short: {
        // The marker and the family only: fewer fields than any handler reads.
        const QList<QByteArray> parts = reply.split(',');
        return parts.mid(0, 2).join(',') + "\\n";
    }
    case Action::InPlace: {
        QList<QByteArray> parts = reply.split(',');
        if (parts.size() > 3)
            parts.removeAt(parts.size() - 2);
        return parts.join(',');
    }
    case Action::Drop:
    case Action::Delay:
        break;
    }
    return reply;
}

std::optional<FaultRule> FaultRule::parse(const QString &text, QString *error)
{
    static const QRegularExpression form(
        QStringLiteral("^([^:=]+):([^:=]+):([^:=]+)=(drop|delay|code|notoken|badutf8|short|inplace)"
                       "(?::(-?\\d+)(?:-(\\d+))?(%)?)?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        if (error)
            *error = QStringLiteral("fault \"%1\" is not FAMILY:OP:ID=ACTION[:VALUE]").arg(text);
        return std::nullopt;
    }
    FaultRule rule;
    rule.family = m.captured(1);
    rule.op = m.captured(2);
    rule.id = m.captured(3);
    const QString action = m.captured(4);
    bool valueFits = true;
    rule.value = m.captured(5).isEmpty() ? 0 : m.captured(5).toInt(&valueFits);
    rule.action = action == "drop"      ? Action::Drop
                  : action == "delay"   ? Action::Delay
                  : action == "code"    ? Action::Code
                  : action == "notoken" ? Action::NoToken
                  : action == "badutf8" ? Action::BadUtf8
                  : action == "inplace" ? Action::InPlace
                                        : Action::Short;
    if ((rule.action == Action::Delay || rule.action == Action::Code) && m.captured(5).isEmpty()) {
        if (error)
            *error = QStringLiteral("fault \"%1\" needs a value").arg(text);
        return std::nullopt;
    }
    const bool range = !m.captured(6).isEmpty();
    const bool share = !m.captured(7).isEmpty();
    bool maxFits = true;
    rule.valueMax = range ? m.captured(6).toInt(&maxFits) : rule.value;
    if (!valueFits || !maxFits || (rule.action == Action::Delay && rule.value < 0)) {
        if (error)
            *error = QStringLiteral("fault \"%1\": the value is out of range").arg(text);
        return std::nullopt;
    }
    if (share)
        rule.percent = rule.value;
    const bool rangeFits =
        !range || (rule.action == Action::Delay && rule.value >= 0 && rule.valueMax >= rule.value);
    const bool shareFits = !share || (rule.action == Action::Drop && !range && rule.percent >= 0 &&
                                      rule.percent <= 100);
    if (!rangeFits || !shareFits ||
        (rule.action == Action::Drop && !share && !m.captured(5).isEmpty())) {
        if (error)
            *error = QStringLiteral("fault \"%1\": a range is for delay, a share (N%) for drop")
                         .arg(text);
        return std::nullopt;
    }
    return rule;
}
