#include "faultplan.h"

#include <QRegularExpression>

namespace {
const QString kPrefix = QStringLiteral("token$");
} // namespace

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
    case Action::Drop:
    case Action::Delay:
        break;
    }
    return reply;
}

std::optional<FaultRule> FaultRule::parse(const QString &text, QString *error)
{
    static const QRegularExpression form(QStringLiteral(
        "^([^:=]+):([^:=]+):([^:=]+)=(drop|delay|code|notoken|badutf8|short)(?::(-?\\d+))?$"));
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
    rule.value = m.captured(5).toInt();
    rule.action = action == "drop"      ? Action::Drop
                  : action == "delay"   ? Action::Delay
                  : action == "code"    ? Action::Code
                  : action == "notoken" ? Action::NoToken
                  : action == "badutf8" ? Action::BadUtf8
                                        : Action::Short;
    if ((rule.action == Action::Delay || rule.action == Action::Code) && m.captured(5).isEmpty()) {
        if (error)
            *error = QStringLiteral("fault \"%1\" needs a value").arg(text);
        return std::nullopt;
    }
    return rule;
}

QStringList FaultPlan::requestFields(const QByteArray &request)
{
    QString text = QString::fromUtf8(request);
    if (text.startsWith(kPrefix))
        text = text.mid(kPrefix.size());
    if (text.endsWith(QLatin1String("\\n")))
        text.chop(2);
    return text.split(QLatin1Char(','));
}

const FaultRule *FaultPlan::match(const QByteArray &request) const
{
    const QStringList fields = requestFields(request);
    for (const FaultRule &rule : m_rules)
        if (rule.matches(fields))
            return &rule;
    return nullptr;
}

bool StreamPlan::parse(const QString &text, QString *error)
{
    const QString name = text.section(QLatin1Char(':'), 0, 0);
    const QString value = text.section(QLatin1Char(':'), 1);
    bool ok = true;
    if (name == QLatin1String("chunks"))
        chunks = qMax(1, value.toInt(&ok));
    else if (name == QLatin1String("slow"))
        delayMs = qMax(0, value.toInt(&ok));
    else if (name == QLatin1String("split-marker"))
        splitMarker = true;
    else if (name == QLatin1String("cut"))
        cut = true;
    else if (name == QLatin1String("silent"))
        silent = true;
    else
        ok = false;
    if (!ok && error)
        *error = QStringLiteral("stream fault \"%1\" is not chunks:N, slow:MS, split-marker, cut "
                                "or silent")
                     .arg(text);
    return ok;
}

namespace {
QList<QByteArray> evenPieces(const QByteArray &text, int count)
{
    QList<QByteArray> pieces;
    const qsizetype size = qMax<qsizetype>(1, (text.size() + count - 1) / qMax(1, count));
    for (qsizetype start = 0; start < text.size(); start += size)
        pieces.append(text.mid(start, size));
    return pieces;
}
} // namespace

QList<QByteArray> StreamPlan::chunksOf(const QByteArray &text) const
{
    const QByteArray marker = "$req,gw,end,import";
    const qsizetype markerAt = text.indexOf(marker);
    const QByteArray before = markerAt < 0 ? text : text.left(markerAt);
    if (cut)
        return evenPieces(before, chunks);
    if (splitMarker) {
        // The marker straddles the last two chunks.
        const qsizetype at = markerAt + marker.size() / 2;
        return evenPieces(text.left(at), qMax(1, chunks - 1)) << text.mid(at);
    }
    if (chunks == 1 || markerAt < 0)
        return evenPieces(text, chunks);
    // As a transmitter sends it: the end marker whole in the last chunk.
    return evenPieces(before, chunks - 1) << text.mid(markerAt);
}
