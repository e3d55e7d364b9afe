// SPDX-License-Identifier: GPL-3.0-or-later
// The code printed on a unit, scanned or typed: any text is either refused
// or accepted with an ID of 12 characters that a command line can carry,
// and channel IDs that can be carried too.
#include "control/codedecoder.h"
#include "core/programobjects.h"
#include "fuzzprocess.h"
#include "transport/commandline.h"

#include <cstdlib>

namespace {
ProgramObjects *objects = nullptr; // the decoder tells the feedback service
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    static ProgramObjects made;
    objects = &made;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the scanner's mode, the rest is the scanned text.
    const QString mode = data[0] & 1 ? CodeDecoder::kTransmitterMode : CodeDecoder::kDeviceMode;
    const QString text = QString::fromUtf8(fuzzBytes(data + 1, size - 1));
    const CodeDecoder::Result result = CodeDecoder(objects->services()).setScanNumber(text, mode);
    if (result != CodeDecoder::Accepted)
        return 0;
    const std::optional<CodeDecoder::Decoded> code = CodeDecoder::getNeedString(text.toUpper());
    if (!code || code->id.size() != 12 || !CommandLine::isSendableField(code->id))
        std::abort();
    if (code->kind == CodeDecoder::kTransmitterMode) {
        (void)CodeDecoder::transmitterSummary(*code);
        return 0;
    }
    (void)CodeDecoder::controllerSummary(*code);
    const QStringList channels =
        CodeDecoder::channelIds(code->id, CodeDecoder::groupCount(code->id).value_or(0));
    for (const QString &id : channels) {
        if (!CommandLine::isSendableField(id))
            std::abort();
    }
    return 0;
}
