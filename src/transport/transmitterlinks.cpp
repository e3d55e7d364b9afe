// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmitterlinks.h"

void TransmitterLinks::answered(const QString &transmitterId, Clock::time_point at)
{
    if (transmitterId.isEmpty())
        return;
    m_links[transmitterId] = Link{at, true};
}

void TransmitterLinks::unanswered(const QString &transmitterId)
{
    if (!transmitterId.isEmpty())
        m_links[transmitterId].answering = false;
}

std::optional<TransmitterLinks::Link> TransmitterLinks::linkOf(const QString &transmitterId) const
{
    const auto found = m_links.constFind(transmitterId);
    if (found == m_links.cend())
        return std::nullopt;
    return *found;
}
