// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduleproblem.h"

QString ScheduleProblem::text(const Words &words) const
{
    // One pass: a value that itself holds "%2" is not filled in again.
    const QString source = words(m_source);
    QString text;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        const int n = i + 1 < source.size() ? source.at(i + 1).digitValue() : -1;
        if (c == QLatin1Char('%') && n >= 1 && n <= m_arguments.size()) {
            text += m_arguments.at(n - 1);
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}
