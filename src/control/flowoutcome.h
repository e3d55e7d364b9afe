// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

// How a flow a person started ended: its kind, which front ends decide by
// (an exit status, an event, a page's error), and the words the person is
// told. Empty words are the feedback service's own for a failure ("Control
// failed").
struct FlowOutcome {
    enum class Kind { Done, Refused, NoReply, Dropped, InvalidInput, StoreFailure };

    Kind kind = Kind::Done;
    QString title;
    QString detail;
    // The home's result code, when it refused.
    std::optional<int> code;
    // How many of the flow's items the home took, where it counts them
    // (the channels of a device enrolment).
    std::optional<int> accepted;

    static FlowOutcome done(const QString &title) { return {Kind::Done, title, {}, {}, {}}; }
    static FlowOutcome refused(std::optional<int> code, const QString &title = {},
                               const QString &detail = {})
    {
        return {Kind::Refused, title, detail, code, {}};
    }
    static FlowOutcome noReply() { return {Kind::NoReply, {}, {}, {}, {}}; }
    static FlowOutcome dropped(const QString &title, const QString &detail)
    {
        return {Kind::Dropped, title, detail, {}, {}};
    }
    static FlowOutcome invalidInput(const QString &title = {})
    {
        return {Kind::InvalidInput, title, {}, {}, {}};
    }
    static FlowOutcome storeFailure(const QString &title = {}, const QString &detail = {})
    {
        return {Kind::StoreFailure, title, detail, {}, {}};
    }

    bool isDone() const { return kind == Kind::Done; }
    // As the person is told it: a failure without words of its own says
    // "Control failed" / "Please check device and network".
    FlowOutcome told() const;
    // "done", "refused", "no-reply", "dropped", "invalid-input", "store-failure".
    QString kindName() const;
};

Q_DECLARE_METATYPE(FlowOutcome)
