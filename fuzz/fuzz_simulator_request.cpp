// SPDX-License-Identifier: GPL-3.0-or-later
// Datagrams reaching the simulated home: any line gets a reply or none,
// and the home it leaves still writes a configuration the import reads.
#include "faultplan.h"
#include "fuzzprocess.h"
#include "simulatedhome.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {
const QStringList kReceivers{"20AA10000001", "20AA10000002", "", "nobody"};
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    static const SimulatedHome demo = SimulatedHome::demo();
    SimulatedHome home = demo;
    // Up to four datagrams, separated by NUL bytes, each to a chosen transmitter.
    for (int datagrams = 0; datagrams < 4 && input.remaining_bytes() > 0; ++datagrams) {
        const QString receiver = kReceivers.at(input.ConsumeIntegralInRange(0, 3));
        std::string line = input.ConsumeRandomLengthString(512);
        const QByteArray datagram(line.data(), qsizetype(line.size()));
        (void)FaultPlan::requestFields(datagram);
        (void)home.answerDatagram(datagram, receiver);
    }
    (void)home.configurationText();
    (void)home.takeChanged();
    return 0;
}
