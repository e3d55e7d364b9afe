// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerequest.h"

#include "control/homeservices.h"

#include <QJsonObject>

#include <functional>
#include <memory>
#include <optional>

class FlowCaller;

// What only an owner's device asks of the web remote, done as the app's
// device list does it: a channel renamed through the master (its name is
// the master's), a transmitter renamed in the store (its name is the app's
// own), a channel removed when the master agrees and a transmitter at once,
// a unit's detail with the QR code of its ID, the transmitters listed, a
// channel asked its state (its answer reaches every page as its state). A
// channel's rename and removal run through the app's flows with the
// asking page's caller: their outcome and question (a controller that
// does not answer: remove it by force?) reach that page.
class OwnerRequests final {
public:
    // Where refusals and answers go: the page that asked.
    using Tell = std::function<void(const QJsonObject &message)>;

    OwnerRequests(const HomeServices &home, Tell tell) : m_home(home), m_tell(std::move(tell)) {}
    OwnerRequests(const OwnerRequests &) = delete;
    OwnerRequests &operator=(const OwnerRequests &) = delete;

    // Its end is told to the page, after any refusal: {"type": kRenameEnd, "done": bool}.
    // Its caller is to tell that end too (PageSession::caller(kRenameEnd)).
    static constexpr const char *kRenameEnd = "renameDone";

    void rename(const PageRequest::Rename &request, std::shared_ptr<FlowCaller> caller);
    void remove(const PageRequest::Remove &request, std::shared_ptr<FlowCaller> caller);
    void detail(const PageRequest::Detail &request);
    void queryState(const PageRequest::QueryState &request);
    void listTransmitters();

private:
    std::optional<QVariantMap> transmitter(const QString &id) const;
    void refuseRename(const QString &code);

    HomeServices m_home;
    Tell m_tell;
};
