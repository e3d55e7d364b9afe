#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Faults the simulator plays on purpose, chosen per command family,
// operation and ID: what a flaky radio, a busy transmitter or a broken
// firmware would do to a reply.
struct FaultRule {
    enum class Action { Drop, Delay, Code, NoToken, BadUtf8, Short };

    QString family = QStringLiteral("*");
    QString op = QStringLiteral("*");
    QString id = QStringLiteral("*");
    Action action = Action::Drop;
    int value = 0; // milliseconds for Delay, the result code for Code

    bool matches(const QStringList &requestFields) const;
    // The reply with this fault applied (Drop and Delay leave it as it is).
    QByteArray applyTo(const QByteArray &reply) const;

    // "FAMILY:OP:ID=ACTION[:VALUE]", "*" for any, e.g. "lig:12:*=code:135",
    // "gw:1:*=drop", "*:*:*=delay:3000", "curtain:*:*=notoken".
    static std::optional<FaultRule> parse(const QString &text, QString *error);
};

class FaultPlan {
public:
    void add(const FaultRule &rule) { m_rules.append(rule); }
    void clear() { m_rules.clear(); }
    // The first rule for this request line, if any.
    const FaultRule *match(const QByteArray &request) const;

    static QStringList requestFields(const QByteArray &request);

private:
    QList<FaultRule> m_rules;
};

// How the configuration reply goes out on the stream side.
struct StreamPlan {
    int chunks = 1;
    bool splitMarker = false; // cut the end marker across two chunks
    bool cut = false;         // close before the end marker
    bool silent = false;      // accept, read the request, never answer
    int delayMs = 0;          // between chunks

    // "chunks:N", "split-marker", "cut", "silent", "slow:MS".
    bool parse(const QString &text, QString *error);
    QList<QByteArray> chunksOf(const QByteArray &text) const;
};
