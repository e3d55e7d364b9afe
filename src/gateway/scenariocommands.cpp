#include "scenariocommands.h"

QStringList ScenarioCommands::name(const QString &number, const QString &name)
{
    return {QStringLiteral("cfg"), QStringLiteral("scename"), QStringLiteral("1"), number, name,
            QStringLiteral("0")};
}

QStringList ScenarioCommands::run(const QString &number)
{
    return {QStringLiteral("cfg"), QStringLiteral("scenario"), number, QStringLiteral("1")};
}
