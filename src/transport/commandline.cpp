// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include <algorithm>

QString CommandLine::lineFromCommandArray(const QStringList &commandArray)
{
    const QString joined = commandArray.join(QLatin1Char(','));
    if (commandArray.size() < 4)
        return joined;
    return kToken + QLatin1Char('$') + joined + kSuffix;
}

QByteArray CommandLine::datagramFromCommandArray(const QStringList &commandArray)
{
    return lineFromCommandArray(commandArray).toUtf8();
}

bool CommandLine::isSendableField(const QString &field)
{
    if (field.contains(QLatin1Char(',')) || field.contains(kSuffix))
        return false;
    return std::none_of(field.cbegin(), field.cend(), [](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
}

QString CommandLine::fieldRule()
{
    return QStringLiteral("no \",\", no \"\\n\" (backslash and n), no line break and no other "
                          "control character");
}

bool CommandLine::isSendable(const QStringList &commandArray)
{
    return std::all_of(commandArray.cbegin(), commandArray.cend(), isSendableField);
}
