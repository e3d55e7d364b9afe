// SPDX-License-Identifier: GPL-3.0-or-later
// A channel's "set" messages from the broker: any bytes give either a
// request within the channel's range or a reason, for every kind of channel.
#include "fuzzprocess.h"
#include "mqtt/setpayload.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    using Channel = SetPayload::Channel;
    using Action = SetPayload::Request::Action;
    for (const Channel channel : {Channel::Switch, Channel::Dimmer, Channel::Curtain}) {
        QString error;
        const std::optional<SetPayload::Request> request =
            SetPayload::parse(bytes, channel, &error);
        if (!request) {
            if (error.isEmpty())
                std::abort(); // a refusal always says why
            continue;
        }
        const bool fits =
            channel == Channel::Curtain ? request->action == Action::Move &&
                                              QStringList{"0", "1", "2"}.contains(request->motion)
            : channel == Channel::Dimmer
                ? request->action == Action::Dim && request->level >= -1 && request->level <= 100
                : request->action == Action::Switch;
        if (!fits)
            std::abort();
    }
    return 0;
}
