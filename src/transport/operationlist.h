// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QVariantMap>

#include <memory>

// The records a command's reply needs (the device being switched, the
// channels of an enrolment, the members of a scenario change) in their
// entry forms. The commands of one multi-step flow share one list, so that
// each step's reply sees what the steps before it recorded ("haveSend").
using OperationList = QList<QVariantMap>;
using SharedOperations = std::shared_ptr<OperationList>;

inline SharedOperations shareOperations(OperationList operations = {})
{
    return std::make_shared<OperationList>(std::move(operations));
}
