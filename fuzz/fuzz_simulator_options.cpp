// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's fault and stream options as typed on its command line:
// any text is refused with a reason or gives a plan that plays.
#include "faultplan.h"
#include "faultrule.h"
#include "fuzzprocess.h"
#include "streamplan.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzProcess::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    QString error;
    if (const std::optional<FaultRule> rule = FaultRule::parse(text, &error)) {
        FaultPlan plan;
        plan.add(*rule);
        const QByteArray request = "token$cfg,lig,211300001230,4,1,0,0\\n";
        if (const FaultRule *played = plan.match(request)) {
            (void)played->applyTo("token$ack,lig,211300001230,4,1,0,0\\n");
            if (played->action == FaultRule::Action::Delay && plan.delayMilliseconds(*played) < 0)
                std::abort();
        }
    } else if (error.isEmpty()) {
        std::abort(); // a refusal says why
    }
    StreamPlan stream;
    QString streamError;
    if (stream.parse(text, &streamError)) {
        if (stream.chunksOf("0123456789$req,gw,end,import").isEmpty())
            std::abort();
    } else if (streamError.isEmpty()) {
        std::abort();
    }
    return 0;
}
