// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <memory>
#include <optional>

#include "devicecommands.h"

class FlowCaller;

// Sends dimming levels of one light from a slider that reports every value
// it passes. One command is outstanding on the channel at a time and only 8
// can wait, so a quick slide would lose the level it ends on: while the
// channel is busy only the newest level is kept, and it goes out as soon as
// the channel is free. The light thus ends at the level the slider rests on.
class LevelSender : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollMilliseconds = 40;

    // The levels go on the home's channel; caller: who hears each level's
    // outcome (null: the feedback service).
    explicit LevelSender(const HomeServices &home, std::shared_ptr<FlowCaller> caller = {},
                         QObject *parent = nullptr);

    // The newest level goes now or when the channel is free; the record is
    // left as it is until the home confirms the level.
    void submit(const QVariantMap &device, int level);

private:
    bool channelIsFree() const;
    void sendPending();

    UDPSocketManager &m_channel;
    DeviceCommands m_commands;
    std::shared_ptr<FlowCaller> m_caller;
    std::optional<QVariantMap> m_pending;
    int m_pendingLevel = 0;
    QTimer m_poll;
};
