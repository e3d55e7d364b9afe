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

int CommandLine::resultCodeOfField(const QString &lastField)
{
    return integerValue(lastField.chopped(qMin<qsizetype>(2, lastField.size())));
}

int CommandLine::integerValue(const QString &text)
{
    // Like C's atoi: skip leading white space, optional sign, then digits.
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
         ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return int(negative ? -value : value);
}
