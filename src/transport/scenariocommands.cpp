// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenariocommands.h"

#include "wirevocabulary.h"

QStringList ScenarioCommands::name(const QString &number, const QString &name)
{
    return {Wire::configure,
            Wire::scenarioName,
            Wire::operationField(ScenarioOperation::Name),
            number,
            name,
            QStringLiteral("0")};
}

QStringList ScenarioCommands::run(const QString &number)
{
    return {Wire::configure, Wire::scenarioRun, number,
            Wire::operationField(ScenarioOperation::Run)};
}
