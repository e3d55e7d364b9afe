// SPDX-License-Identifier: GPL-3.0-or-later
#include "flowcaller.h"

#include "appdelegate.h"
#include "base/logging.h"
#include "controlrefusalscreen.h"
#include "deviceenrolmentscreen.h"
#include "flowfeedback.h"
#include "transmitterenrolmentscreen.h"

namespace {
// A flow nobody handed a caller in to: the feedback service tells the
// person and whoever follows outcomes; the link's indicator is its own; the
// next steps are the top screen's, when it plays the role.
class FeedbackServiceCaller final : public FlowCaller {
public:
    DeviceEnrolmentScreen *deviceEnrolmentStep() override
    {
        return topScreenAs<DeviceEnrolmentScreen>();
    }
    TransmitterEnrolmentScreen *transmitterEnrolmentStep() override
    {
        return topScreenAs<TransmitterEnrolmentScreen>();
    }
    ControlRefusalScreen *refusalStep() override { return topScreenAs<ControlRefusalScreen>(); }

    void report(const FlowOutcome &outcome) override { FlowFeedback::instance()->report(outcome); }
    bool ask(const QString &message, const QStringList &buttons,
             AlertPresenter::Answer answer) override
    {
        AlertPresenter *presenter = FlowFeedback::instance()->alertPresenter();
        if (!presenter) {
            qCWarning(lcGateway).noquote() << "no one to ask:" << message;
            return false;
        }
        presenter->showAlert(message, buttons, std::move(answer));
        return true;
    }
    void showProgress(double) override {}
    void stopProgress() override {}

private:
    template <typename Role> static Role *topScreenAs()
    {
        return AppDelegate::instance()->topScreenAs<Role>();
    }
};
} // namespace

FlowCaller &FlowCaller::orService(FlowCaller *caller)
{
    static FeedbackServiceCaller service;
    return caller ? *caller : service;
}

SharedOperations FlowCaller::carried(OperationList operations, std::shared_ptr<FlowCaller> caller)
{
    operations.caller = std::move(caller);
    return shareOperations(std::move(operations));
}
