// SPDX-License-Identifier: GPL-3.0-or-later
#include "latencystats.h"

#include <algorithm>

double LatencyStats::percentile(double p) const
{
    if (m_samples.isEmpty())
        return 0;
    QList<double> sorted = m_samples;
    std::sort(sorted.begin(), sorted.end());
    const auto index = qsizetype(p / 100.0 * double(sorted.size() - 1) + 0.5);
    return sorted.at(std::clamp<qsizetype>(index, 0, sorted.size() - 1));
}

QString LatencyStats::summary() const
{
    return QStringLiteral("p50 %1 us  p99 %2 us")
        .arg(percentile(50), 8, 'f', 1)
        .arg(percentile(99), 8, 'f', 1);
}
