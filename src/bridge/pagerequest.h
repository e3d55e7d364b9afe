// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

// What a page of the web remote asks over its WebSocket, one JSON object
// per message: {"type":"set","id":...,"state"/"brightness":...},
// {"type":"scenario","number":...} or {"type":"sync"}. A set's own fields
// travel on as the payload a channel's "set" topic would carry.
namespace PageRequest {
struct Set {
    QString id;
    QByteArray payload; // JSON, read by SetPayload
};
struct Scenario {
    QString number;
};
struct Sync {};
struct Refused {
    QString reason;
};
using Request = std::variant<Set, Scenario, Sync, Refused>;

constexpr qsizetype kMaxIdLength = 32;

Request parse(const QByteArray &message);
} // namespace PageRequest
