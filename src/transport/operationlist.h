// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QVariantMap>

#include <memory>

class FlowCaller;

// The records a command's reply needs (the device being switched, the
// channels of an enrolment, the members of a scenario change) in their
// entry forms, and whoever started the flow. The commands of one multi-step
// flow share one list, so that each step's reply sees what the steps before
// it recorded ("haveSend") and tells the same caller.
struct OperationList : QList<QVariantMap> {
    using QList<QVariantMap>::QList;
    OperationList() = default;
    OperationList(QList<QVariantMap> entries) : QList<QVariantMap>(std::move(entries)) {}

    // The flow's caller (the control layer's interface); null when the
    // starter handed none in and the program's feedback service hears it.
    std::shared_ptr<FlowCaller> caller;
};
using SharedOperations = std::shared_ptr<OperationList>;

inline SharedOperations shareOperations(OperationList operations = {})
{
    return std::make_shared<OperationList>(std::move(operations));
}
