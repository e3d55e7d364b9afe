// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Percentiles of a set of measured durations, in microseconds.
class LatencyStats {
public:
    void add(double microseconds) { m_samples.append(microseconds); }
    double percentile(double p) const;
    int count() const { return int(m_samples.size()); }
    QString summary() const; // "p50 … µs  p99 … µs"

private:
    QList<double> m_samples;
};
