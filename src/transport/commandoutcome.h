// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

// How one command sent to a transmitter ended: exactly one of these per
// command. Its text is the log's word for it ("acknowledged",
// "refused_CODE", "no-reply", "dropped", "unreadable").
struct CommandOutcome {
    enum class Kind {
        Acknowledged, // the home took it (result code 0)
        Refused,      // the home answered with another result code
        NoReply,      // nothing came back within the command's wait
        Dropped,      // never sent: the queue was full or was emptied
        Unreadable,   // an answer came that is no reply of the protocol
    };

    Kind kind = Kind::NoReply;
    int code = 0; // a refusal's result code

    static CommandOutcome acknowledged() { return {Kind::Acknowledged, 0}; }
    static CommandOutcome refused(int code) { return {Kind::Refused, code}; }
    static CommandOutcome noReply() { return {Kind::NoReply, 0}; }
    static CommandOutcome dropped() { return {Kind::Dropped, 0}; }
    static CommandOutcome unreadable() { return {Kind::Unreadable, 0}; }

    bool isAcknowledged() const { return kind == Kind::Acknowledged; }
    // The transmitter answered, whatever it said.
    bool isAnswer() const { return kind == Kind::Acknowledged || kind == Kind::Refused; }
    QString text() const;

    friend bool operator==(const CommandOutcome &, const CommandOutcome &) = default;
};

Q_DECLARE_METATYPE(CommandOutcome)
