#include "commandline.h"

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
    return !field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('\n')) &&
           !field.contains(QLatin1Char('\r'));
}

bool CommandLine::isSendable(const QStringList &commandArray)
{
    return std::all_of(commandArray.cbegin(), commandArray.cend(), isSendableField);
}
