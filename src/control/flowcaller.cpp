// SPDX-License-Identifier: GPL-3.0-or-later
#include "flowcaller.h"

#include "base/logging.h"
#include "flowfeedback.h"

void ServiceCaller::report(const FlowOutcome &outcome)
{
    FlowFeedback::instance()->report(outcome);
}

bool ServiceCaller::ask(const QString &message, const QStringList &buttons,
                        AlertPresenter::Answer answer)
{
    AlertPresenter *presenter = FlowFeedback::instance()->alertPresenter();
    if (!presenter) {
        qCWarning(lcGateway).noquote() << "no one to ask:" << message;
        return false;
    }
    presenter->showAlert(message, buttons, std::move(answer));
    return true;
}

FlowCaller &FlowCaller::orService(FlowCaller *caller)
{
    static ServiceCaller service;
    return caller ? *caller : service;
}

SharedOperations FlowCaller::carried(OperationList operations, std::shared_ptr<FlowCaller> caller)
{
    operations.caller = std::move(caller);
    return shareOperations(std::move(operations));
}
