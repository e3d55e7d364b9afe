// SPDX-License-Identifier: GPL-3.0-or-later
// The master's configuration as it arrives on the stream, cut into chunks
// the input chooses: the import either commits a home that keeps the
// master, or leaves the home as it was.
#include "control/configurationimport.h"
#include "control/delegatemanager.h"
#include "core/programobjects.h"
#include "fuzzprocess.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/importstream.h"
#include "transport/localaddress.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>

namespace {
const QString kMasterId = QStringLiteral("20AA10000001");
const QString kDeviceId = QStringLiteral("211300001230");

ProgramObjects *objects = nullptr; // for the whole run
std::unique_ptr<Database::Session> session;

// The home before every input: the master and one light.
void resetHome()
{
    Database *store = Database::instance();
    store->wipeHome();
    store->insertSuperBoxWithInfo(RecordFactory::transmitter(kMasterId, "127.0.0.1", true));
    store->insertMainDeviceWithInfo(RecordFactory::device(kDeviceId, "S", kDeviceId, "a"));
}

bool holdsMaster(Database *store)
{
    const QList<QVariantMap> transmitters = store->readAllSuperBoxInfo();
    return !transmitters.isEmpty() && transmitters.constFirst().value(Key::id) == kMasterId;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
    objects = new ProgramObjects;
    DelegateManager::instance()->initApplicationNeedData();
    session = std::make_unique<Database::Session>(Database::instance());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const size_t chunkSize = input.ConsumeIntegralInRange<size_t>(1, 512);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    resetHome();

    ImportStream stream;
    ImportStream::State state = ImportStream::State::Incomplete;
    for (size_t at = 0; at < bytes.size() && state == ImportStream::State::Incomplete;
         at += chunkSize) {
        const std::string chunk = bytes.substr(at, chunkSize);
        state = stream.append(QByteArray(chunk.data(), qsizetype(chunk.size())));
    }
    if (state != ImportStream::State::Complete)
        return 0;

    Database *store = Database::instance();
    const bool committed = ConfigurationImport(objects->services()).rebuildStoreFrom(stream.text());
    if (!holdsMaster(store))
        std::abort(); // the master's record always survives
    if (!committed && store->selectMainDeviceWithMainID(kDeviceId).isEmpty())
        std::abort(); // a refused import leaves the home as it was
    return 0;
}
