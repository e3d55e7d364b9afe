// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "control/livehome.h"
#include "transport/commandoutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <optional>

// Whether the master answers, as the live home knows it, and when it last
// answered: an acknowledgement or a refusal is an answer.
class MasterLink final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MasterLink)

public:
    // Follows the home's live view and the outcomes on its channel.
    explicit MasterLink(const HomeServices &home, QObject *parent = nullptr);

    // Nothing until the first outcome.
    std::optional<bool> isOnline() const;
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
    void onMasterChanged(LiveHome::Answering answering);

    const LiveHome *m_home;
    bool m_wasSilent = false;
    QElapsedTimer m_sinceAnswer;
};
