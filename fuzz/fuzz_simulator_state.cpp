// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's state file: any text is refused with a reason or gives a
// home that saves and loads back to the same file.
#include "fuzzprocess.h"
#include "simulatedhome.h"

#include <QJsonDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonDocument document = QJsonDocument::fromJson(fuzzBytes(data, size));
    if (!document.isObject())
        return 0;
    QString error;
    const std::optional<SimulatedHome> home = SimulatedHome::fromJson(document.object(), &error);
    if (!home) {
        if (error.isEmpty())
            std::abort(); // a refusal says why
        return 0;
    }
    const QJsonObject saved = home->toJson();
    const std::optional<SimulatedHome> again = SimulatedHome::fromJson(saved, &error);
    if (!again || again->toJson() != saved)
        std::abort(); // what was saved loads back the same
    (void)home->configurationText();
    return 0;
}
