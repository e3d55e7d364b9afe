// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkstatustext.h"

QString LinkStatusText::of(const std::optional<TransmitterLinks::Link> &link, bool master,
                           TransmitterLinks::Clock::time_point now)
{
    if (!link)
        return {};
    if (!link->answering || !link->lastAnswer)
        return tr("not answering");
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - *link->lastAnswer);
    return master ? tr("answered %1").arg(ago(elapsed)) : tr("located %1").arg(ago(elapsed));
}

QString LinkStatusText::ago(std::chrono::seconds elapsed)
{
    using namespace std::chrono;
    const auto seconds = std::max<long long>(0, elapsed.count());
    if (seconds < 60)
        return tr("%1 s ago").arg(seconds);
    if (seconds < 3600)
        return tr("%1 min ago").arg(seconds / 60);
    return tr("%1 h ago").arg(seconds / 3600);
}
