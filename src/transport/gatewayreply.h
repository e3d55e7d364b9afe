// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <variant>

// Replies as values: each form read from its reply text in one place. A reply
// keeps the request's field positions, with the result code in its last
// field, ending in the two-character line suffix. A text too short for a form, or
// not of that form, gives nothing. parse() tells the form from the reply's
// marker ("$ack" or "$res" ending the first field) and its family.
class GatewayReply {
public:
    // "$res,gw": where a transmitter is.
    struct LocateAnswer {
        QString transmitterId;
        QString address; // dotted, four parts
        int code = 0;
    };
    // "$ack,gw": the outcome of a role command.
    struct RoleAcknowledgement {
        QString transmitterId;
        bool asMaster = false; // the role that was asked for
        int code = 0;
    };
    // "$ack,lig" / "$ack,curtain": the outcome of a channel command.
    struct DeviceAcknowledgement {
        QString family;
        QString deviceId;
        int operation = 0;
        QString parameter; // the first parameter as it was sent
        int code = 0;
    };
    // "$res,lig" / "$res,curtain": a channel's state.
    struct StateAnswer {
        QString family;
        QString deviceId;
        QString state;
        QString level;
        int code = 0;
    };
    // "$ack,scename": the outcome of a scenario's naming.
    struct NamingAcknowledgement {
        QString number;
        QString name;
        int code = 0;
    };
    // "$ack,scenario": the outcome of a scenario run.
    struct RunAcknowledgement {
        QString number;
        int code = 0;
    };
    using Form = std::variant<LocateAnswer, RoleAcknowledgement, DeviceAcknowledgement, StateAnswer,
                              NamingAcknowledgement, RunAcknowledgement>;

    // The form of a reply text; nothing for a text that is no reply or
    // cannot be read as its marker and family say.
    static std::optional<Form> parse(const QString &text);
    static int codeOf(const Form &form);

    static std::optional<LocateAnswer> locateAnswer(const QString &text);
    static std::optional<RoleAcknowledgement> roleAcknowledgement(const QString &text);
    static std::optional<DeviceAcknowledgement> deviceAcknowledgement(const QString &text);
    static std::optional<StateAnswer> stateAnswer(const QString &text);
    static std::optional<NamingAcknowledgement> namingAcknowledgement(const QString &text);
    static std::optional<RunAcknowledgement> runAcknowledgement(const QString &text);
    // A code field: its integer value once the suffix is cut off.
    static int codeOfField(const QString &field);
};
