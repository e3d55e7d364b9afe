// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The command lines of the scenario families ("scename", "scenario").
class ScenarioCommands {
public:
    static QStringList name(const QString &number, const QString &name);
    static QStringList run(const QString &number);
};
