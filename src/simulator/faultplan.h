#pragma once

#include "faultrule.h"

#include <QList>

// The faults in play, first match wins.
class FaultPlan {
public:
    void add(const FaultRule &rule) { m_rules.append(rule); }
    void clear() { m_rules.clear(); }
    // The first rule for this request line, if any.
    const FaultRule *match(const QByteArray &request) const;

    static QStringList requestFields(const QByteArray &request);

private:
    QList<FaultRule> m_rules;
};
