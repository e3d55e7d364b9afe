// SPDX-License-Identifier: GPL-3.0-or-later
#include "faultplan.h"

namespace {
const QString kTokenPrefix = QStringLiteral("token$");
} // namespace

QStringList FaultPlan::requestFields(const QByteArray &request)
{
    QString text = QString::fromUtf8(request);
    if (text.startsWith(kTokenPrefix))
        text = text.mid(kTokenPrefix.size());
    if (text.endsWith(QLatin1String("\\n")))
        text.chop(2);
    return text.split(QLatin1Char(','));
}

const FaultRule *FaultPlan::match(const QByteArray &request)
{
    const QStringList fields = requestFields(request);
    for (const FaultRule &rule : m_rules) {
        if (!rule.matches(fields))
            continue;
        if (rule.percent >= 100 || int(m_random.bounded(100)) < rule.percent)
            return &rule;
    }
    return nullptr;
}

int FaultPlan::delayMilliseconds(const FaultRule &rule)
{
    if (rule.valueMax <= rule.value)
        return rule.value;
    return rule.value + int(m_random.bounded(rule.valueMax - rule.value + 1));
}
