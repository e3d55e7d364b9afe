#include "faultplan.h"

namespace {
const QString kPrefix = QStringLiteral("token$");
} // namespace

QStringList FaultPlan::requestFields(const QByteArray &request)
{
    QString text = QString::fromUtf8(request);
    if (text.startsWith(kPrefix))
        text = text.mid(kPrefix.size());
    if (text.endsWith(QLatin1String("\\n")))
        text.chop(2);
    return text.split(QLatin1Char(','));
}

const FaultRule *FaultPlan::match(const QByteArray &request) const
{
    const QStringList fields = requestFields(request);
    for (const FaultRule &rule : m_rules)
        if (rule.matches(fields))
            return &rule;
    return nullptr;
}
