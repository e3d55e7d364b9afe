// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/commandoutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <optional>

// Whether the master answers, as the outcomes of the commands sent to it
// tell: an acknowledgement or a refusal is an answer, a control command left
// without one means it has gone silent. A state query without an answer says
// nothing of the master (the channel may be out of radio reach).
class MasterLink final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MasterLink)

public:
    explicit MasterLink(QObject *parent = nullptr);

    // Nothing until the first outcome.
    std::optional<bool> isOnline() const { return m_online; }
    // "online", "offline" or "unknown".
    QString stateName() const;
    // Seconds since the master's last answer; nothing when it has not answered yet.
    std::optional<qint64> secondsSinceAnswer() const;

    // For the outcomes as the command queue reports them.
    void onOutcome(const QStringList &fields, const CommandOutcome &outcome);

Q_SIGNALS:
    void changed(bool online);
    // Online again after it had gone silent.
    void cameBack();
    void answered();

private:
    void setOnline(bool online);

    std::optional<bool> m_online;
    QElapsedTimer m_sinceAnswer;
};
