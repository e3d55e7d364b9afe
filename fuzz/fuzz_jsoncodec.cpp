// SPDX-License-Identifier: GPL-3.0-or-later
// Records read back from their stored JSON text: any text either gives a
// record that writes and reads back to the same record, or nothing.
#include "fuzzprocess.h"
#include "store/jsoncodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    (void)JsonCodec::mutableObjectFromJSONString(QString::fromUtf8(bytes));
    const std::optional<QVariantMap> record = JsonCodec::recordFromJSONString(bytes);
    if (!record || !JsonCodec::holdsOnlyRecordValues(*record))
        return 0; // numbers, booleans and nulls are no record's
    const std::optional<QByteArray> written = JsonCodec::JSONBytes(*record);
    const std::optional<QString> text = JsonCodec::JSONString(*record);
    if (!written || !text || text->toUtf8() != *written)
        std::abort(); // a record read from JSON must write again, one way or the other
    if (JsonCodec::recordFromJSONString(*written) != record)
        std::abort(); // and read back the same
    return 0;
}
