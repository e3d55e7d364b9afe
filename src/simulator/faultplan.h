// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faultrule.h"

#include <QList>
#include <QRandomGenerator>

// The faults in play, first match wins. A rule that plays on a share of the
// replies and does not play this time lets the next matching rule decide.
// Chance comes from a seeded generator, so a run can be played again.
class FaultPlan {
public:
    static constexpr quint32 kDefaultSeed = 9899;

    void add(const FaultRule &rule) { m_rules.append(rule); }
    void clear() { m_rules.clear(); }
    void setSeed(quint32 seed) { m_random.seed(seed); }
    // The rule that plays on this request line, if any.
    const FaultRule *match(const QByteArray &request);
    // The delay of a Delay rule, drawn from its range.
    int delayMilliseconds(const FaultRule &rule);

    static QStringList requestFields(const QByteArray &request);

private:
    QList<FaultRule> m_rules;
    QRandomGenerator m_random{kDefaultSeed};
};
