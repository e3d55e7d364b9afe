// SPDX-License-Identifier: GPL-3.0-or-later
#include "udpsocketmanager.h"

#include "core/appdelegate.h"
#include "core/delegatemanager.h"
#include "core/homeevents.h"
#include "core/homelookup.h"
#include "core/logging.h"
#include "core/reloadablescreen.h"
#include "core/screenstack.h"
#include "core/showalertmanager.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "store/storehomelookup.h"

#include "commandexchange.h"
#include "commandline.h"
#include "controllercommands.h"
#include "enrolmentoperations.h"
#include "gatewayreplies.h"
#include "gatewayreply.h"
#include "localaddress.h"
#include "resultcode.h"
#include "transmittercommands.h"
#include "wirevocabulary.h"

#include <QFile>
#include <QStringDecoder>

namespace {
StoreHomeLookup *storedHome()
{
    static auto *const home = new StoreHomeLookup();
    return home;
}

// Strict UTF-8: a datagram with any invalid sequence gives no text.
std::optional<QString> decodeUtf8(const QByteArray &data)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The handler of a reply form, chosen by its type.
template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

CommandOutcome outcomeOfReply(const std::optional<GatewayReply::Form> &reply)
{
    if (!reply)
        return CommandOutcome::unreadable();
    const int code = GatewayReply::codeOf(*reply);
    return code == ResultCode::Accepted ? CommandOutcome::acknowledged()
                                        : CommandOutcome::refused(code);
}

SharedOperations orEmpty(const SharedOperations &operations)
{
    return operations ? operations : shareOperations();
}
} // namespace

// One line per command's outcome, to trace a person's "it did nothing":
// "outcome:lig_211300001230_4_refused_135"; and the same to whoever follows them.
void UDPSocketManager::logOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    qCInfo(lcGateway).noquote() << QStringLiteral("outcome:%1_%2_%3_%4")
                                       .arg(Wire::familyOf(fields), Wire::targetOf(fields),
                                            fields.value(3), outcome.text());
    Q_EMIT commandOutcome(fields, outcome);
}

UDPSocketManager::UDPSocketManager()
    : m_followUps(kFollowUpMilliseconds),
      m_rediscovery([this](const QString &transmitterId) { getGatewayIPWithID(transmitterId); }),
      m_homeLookup(storedHome()), m_gatewayReplies(std::make_unique<GatewayReplies>(this)),
      m_replyHandlers(m_gatewayReplies.get())
{
}

UDPSocketManager::~UDPSocketManager()
{
    // No exchange outlives the channel it reports to.
    abandonCommands();
}

void UDPSocketManager::setReplyHandlers(ReplyHandlers *handlers)
{
    m_replyHandlers = handlers ? handlers : m_gatewayReplies.get();
}

void UDPSocketManager::sendOperationQueueRequest(int index, const SharedOperations &operations)
{
    m_gatewayReplies->devices().sendOperationQueueRequest(index, orEmpty(operations));
}

void UDPSocketManager::alertViewClickedButtonAtIndex(int buttonIndex,
                                                     const SharedOperations &operations)
{
    m_gatewayReplies->devices().alertViewClickedButtonAtIndex(buttonIndex, orEmpty(operations));
}

void UDPSocketManager::setHomeLookup(HomeLookup *lookup)
{
    m_homeLookup = lookup ? lookup : storedHome();
}

void UDPSocketManager::clearQueue()
{
    for (const ChannelCommand &dropped : std::as_const(m_udpQueueArray))
        logOutcome(dropped.fields, CommandOutcome::dropped());
    m_udpQueueArray.clear();
}

const ChannelCommand *UDPSocketManager::outstandingCommand() const
{
    return m_outstanding ? &m_outstanding->command() : nullptr;
}

QString UDPSocketManager::getLocalAddressString()
{
    return LocalAddress::getLocalAddressString();
}

std::optional<QString>
UDPSocketManager::getUDPAdressWithSendAddress(const std::optional<QString> &address) const
{
    if (address == kGroupAddress)
        return LocalAddress::broadcastAddress();
    if (address)
        return address;
    const std::optional<QVariantMap> master = m_homeLookup->firstTransmitter();
    if (!master || !master->contains(Key::address))
        return std::nullopt;
    return master->value(Key::address).toString();
}

double UDPSocketManager::replyWaitFor(const QStringList &commandArray) const
{
    if (m_replyWaitOverride)
        return *m_replyWaitOverride;
    const int operation = Wire::operationOf(commandArray);
    const bool switchAll =
        Wire::familyOf(commandArray) == Wire::light &&
        (operation == ChannelOperation::AllOn || operation == ChannelOperation::AllOff);
    if (!switchAll)
        return kReplyWaitSeconds;
    // Each light takes its turn on the radio: 4 seconds a light.
    const float wait = 4.0f * float(m_homeLookup->lightingDeviceCount());
    return wait > kReplyWaitSeconds ? double(wait) : kReplyWaitSeconds;
}

void UDPSocketManager::sendMessageWithCommandArray(const QStringList &commandArray,
                                                   const std::optional<QString> &address,
                                                   SharedOperations operations)
{
    ShowAlertManager *feedback = ShowAlertManager::instance();
    if (!CommandLine::isSendable(commandArray)) {
        // A "," would split the field in two on the wire.
        qCWarning(lcGateway).noquote()
            << "refused a command with a field the line cannot carry:" << commandArray;
        feedback->showControlFailed();
        return;
    }

    const std::optional<QString> destination = getUDPAdressWithSendAddress(address);
    if (!destination) {
        clearQueue();
        feedback->showLabelWithTitle(tr("Please scan the transmitter first"));
        return;
    }

    ChannelCommand command{commandArray, *destination, replyWaitFor(commandArray),
                           orEmpty(operations)};
    giveWayToPerson();
    if (isBusy()) {
        if (m_udpQueueArray.size() >= kMaxQueuedCommands) {
            logOutcome(commandArray, CommandOutcome::dropped());
            feedback->showLabelWithTitle(tr("Your operating too often"), tr("Please have a rest"));
        } else
            m_udpQueueArray.append(std::move(command));
        updateMainController();
        return;
    }
    sendNow(std::move(command));
}

bool UDPSocketManager::startOperationList(OperationList operations)
{
    if (operations.isEmpty())
        return false;
    const QStringList first = operations.constFirst().value(Key::sendArray).toStringList();
    sendMessageWithCommandArray(first, std::nullopt, shareOperations(std::move(operations)));
    return true;
}

void UDPSocketManager::sendNow(ChannelCommand command)
{
    const double wait = command.replyWaitSeconds;
    const bool quiet = command.quiet;
    const bool background = command.background;
    qCInfo(lcGateway).noquote() << QStringLiteral("address:%1_message:%2_%3")
                                       .arg(command.destination,
                                            CommandLine::lineFromCommandArray(command.fields),
                                            QString::number(wait, 'f', 6));
    auto *exchange = new CommandExchange(std::move(command), m_transmitterPort, this);
    connect(exchange, &CommandExchange::replied, this, &UDPSocketManager::onReply);
    connect(exchange, &CommandExchange::noReply, this, &UDPSocketManager::onNoReply);
    m_outstanding = exchange;
    if (m_sendingOffline)
        exchange->startWait();
    else
        exchange->start();
    // The indicator shows while this command is outstanding; its outcome,
    // not the indicator's own timer, ends the wait.
    if (!quiet && !background)
        ShowAlertManager::instance()->startActivity(wait, ShowAlertManager::ActivityEnd::ByCaller);
}

void UDPSocketManager::giveWayToPerson()
{
    if (!m_outstanding || !m_outstanding->command().quiet)
        return;
    // The press itself tells whether the master answers, within its own
    // wait: the check would only hold it back for up to its whole wait.
    CommandExchange *check = m_outstanding;
    disconnect(check, nullptr, this, nullptr);
    qCInfo(lcGateway).noquote() << QStringLiteral("outcome:%1_%2_%3_given-way")
                                       .arg(Wire::familyOf(check->command().fields),
                                            Wire::targetOf(check->command().fields),
                                            check->command().fields.value(3));
    settle(check);
}

void UDPSocketManager::sendQueueRequest()
{
    if (isBusy())
        return; // the outstanding command's outcome drains the queue
    if (!m_udpQueueArray.isEmpty()) {
        sendNow(m_udpQueueArray.takeFirst());
        return;
    }
    runIdleCalls();
    // What the app asks by itself goes when nobody else is waiting.
    if (!isBusy() && m_udpQueueArray.isEmpty() && !m_backgroundQueue.isEmpty())
        sendNow(m_backgroundQueue.takeFirst());
}

void UDPSocketManager::sendQueueRequestForUser()
{
    if (!isBusy() && !m_udpQueueArray.isEmpty())
        sendNow(m_udpQueueArray.takeFirst());
}

void UDPSocketManager::queryStateInBackground(const QVariantMap &device)
{
    const QStringList query = ControllerCommands::stateQuery(device);
    const auto sameChannel = [&query](const ChannelCommand &waiting) {
        return waiting.fields == query;
    };
    if (std::any_of(m_backgroundQueue.cbegin(), m_backgroundQueue.cend(), sameChannel) ||
        (m_outstanding && sameChannel(m_outstanding->command())))
        return;
    const std::optional<QString> destination = getUDPAdressWithSendAddress(std::nullopt);
    if (!destination)
        return;
    const double wait = qMin(m_replyWaitOverride.value_or(kBackgroundReplyWaitSeconds),
                             kBackgroundReplyWaitSeconds);
    ChannelCommand command{
        query, *destination, wait,
        shareOperations({{{Key::sendArray, query}, {Key::backgroundQuery, Value::yes}}})};
    command.background = true;
    m_backgroundQueue.append(std::move(command));
    if (!isBusy() && m_followUps.pendingCount() == 0)
        scheduleFollowUp([this] { sendQueueRequest(); });
}

void UDPSocketManager::runWhenIdle(std::function<void()> call)
{
    if (!isBusy() && m_udpQueueArray.isEmpty() && m_idleCalls.isEmpty()) {
        call();
        return;
    }
    m_idleCalls.append(std::move(call));
    if (!isBusy())
        scheduleFollowUp([this] { sendQueueRequest(); });
}

void UDPSocketManager::runIdleCalls()
{
    const QList<std::function<void()>> calls = std::exchange(m_idleCalls, {});
    for (const std::function<void()> &call : calls)
        call();
}

void UDPSocketManager::setImportRunning(bool running)
{
    m_importRunning = running;
    if (!running)
        scheduleFollowUp([this] { sendQueueRequest(); });
}

bool UDPSocketManager::isSettled() const
{
    return !isBusy() && m_udpQueueArray.isEmpty() && m_backgroundQueue.isEmpty() &&
           m_idleCalls.isEmpty() && m_followUps.pendingCount() == 0;
}

bool UDPSocketManager::isFreeForUser() const
{
    const bool userOutstanding = m_outstanding && !m_outstanding->command().background;
    return !userOutstanding && !m_importRunning && m_udpQueueArray.isEmpty() &&
           m_idleCalls.isEmpty() && m_followUps.pendingCount() == 0;
}

void UDPSocketManager::abandonCommands()
{
    m_links.clear();
    m_udpQueueArray.clear();
    m_backgroundQueue.clear();
    m_idleCalls.clear();
    m_followUps.clear();
    m_outstanding = nullptr;
    qDeleteAll(findChildren<CommandExchange *>(Qt::FindDirectChildrenOnly));
}

void UDPSocketManager::updateMainController()
{
    if (auto *screen = AppDelegate::instance()->topScreenAs<ReloadableScreen>())
        screen->updateMainView();
}

void UDPSocketManager::getGatewayIPWithID(const QString &transmitterId,
                                          const std::optional<QString> &lastAddress,
                                          SharedOperations operations)
{
    sendMessageWithCommandArray(TransmitterCommands::locate(transmitterId),
                                lastAddress ? lastAddress : kGroupAddress, std::move(operations));
}

void UDPSocketManager::checkMasterQuietly(const QString &masterId, const QString &address)
{
    if (isBusy() || address.isEmpty())
        return;
    const QStringList locate = TransmitterCommands::locate(masterId);
    ChannelCommand command{locate, address, replyWaitFor(locate), shareOperations()};
    command.quiet = true;
    sendNow(std::move(command));
}

void UDPSocketManager::settle(CommandExchange *exchange)
{
    if (m_outstanding == exchange)
        m_outstanding = nullptr;
    exchange->deleteLater();
}

void UDPSocketManager::onReply(CommandExchange *exchange, const QByteArray &datagram)
{
    const bool background = exchange->command().background;
    const bool ownsIndicator =
        exchange == m_outstanding && !exchange->command().quiet && !background;
    m_links.answered(transmitterOf(exchange->command()));
    const QStringList fields = exchange->command().fields;
    const SharedOperations operations = exchange->command().operations;
    settle(exchange);
    ShowAlertManager *feedback = ShowAlertManager::instance();
    if (ownsIndicator)
        feedback->stopActivity();
    if (!background) { // the banner follows what people asked for and the link check
        AppDelegate::instance()->setIfConnected(AppDelegate::kConnected);
        feedback->transmitterConnectionSuccessful(2);
        m_rediscovery.getGatewayIPAgain(std::nullopt);
    }

    const std::optional<QString> text = decodeUtf8(datagram);
    const std::optional<GatewayReply::Form> reply =
        text ? GatewayReply::parse(*text) : std::nullopt;
    logOutcome(fields, outcomeOfReply(reply));
    if (reply)
        dispatchReply(*reply, operations);
    else // nothing to act on, but the command has its outcome: the queue moves on
        scheduleFollowUp([this] { sendQueueRequest(); });
    // A person's command that waited behind the app's own query goes now.
    if (background)
        sendQueueRequestForUser();
    Q_EMIT commandSettled(fields, true);
}

QString UDPSocketManager::transmitterOf(const ChannelCommand &command) const
{
    if (command.isLocate())
        return Wire::targetOf(command.fields);
    const std::optional<QVariantMap> master = m_homeLookup->firstTransmitter();
    if (master && master->value(Key::address).toString() == command.destination)
        return master->value(Key::id).toString();
    return {};
}

void UDPSocketManager::dispatchReply(const GatewayReply::Form &reply,
                                     const SharedOperations &operations)
{
    handleReply(reply, operations);
    // Counters first, then the next queued command; a handler's own
    // follow-up, scheduled above, runs before both.
    scheduleFollowUp([this, reply] {
        updateDeviceAndScenarioControlTimesWithInfo(reply);
        sendQueueRequest();
    });
}

void UDPSocketManager::onNoReply(CommandExchange *exchange)
{
    const ChannelCommand &command = exchange->command();
    logOutcome(command.fields, CommandOutcome::noReply());
    if (command.background) {
        m_links.unanswered(transmitterOf(command));
        const ChannelCommand unanswered = command;
        settle(exchange);
        HomeEvents::instance()->announceStateUnknown(Wire::targetOf(unanswered.fields));
        scheduleFollowUp([this] { sendQueueRequest(); });
        sendQueueRequestForUser();
        Q_EMIT commandSettled(unanswered.fields, false);
        return;
    }
    m_links.unanswered(transmitterOf(command));
    const QStringList fields = command.fields;
    // An enrolment cut short has stored some channels: those are its outcome.
    const OperationList &records = *command.operations;
    const bool enrolsTransmitter = EnrolmentOperations::enrolsTransmitter(records);
    // A rediscovery: a locate that no person and no enrolment waits for.
    const bool rediscovery = command.isLocate() && !command.quiet && !enrolsTransmitter;
    const int added = int(std::count_if(records.cbegin(), records.cend(), [](const QVariantMap &e) {
        return e.contains(Key::insertDevice) && e.value(Key::haveSend).toString() == Value::yes;
    }));
    using Waiter = ShowAlertManager::Waiter;
    const Waiter waiter = command.quiet ? Waiter::LinkCheck
                          : enrolsTransmitter || EnrolmentOperations::enrolsDevices(records)
                              ? Waiter::TopScreen
                              : Waiter::OtherCommand;
    settle(exchange);
    ShowAlertManager *feedback = ShowAlertManager::instance();
    // A rediscovery that goes unanswered after a transmitter has answered is
    // not reported (the stored address may simply be stale); any other
    // command, the enrolment's own locate and the quiet check of the link
    // included, that goes unanswered has failed, and the person is told once.
    if (rediscovery && AppDelegate::instance()->ifConnected() == AppDelegate::kConnected)
        feedback->stopActivity();
    else
        feedback->activityOnTimeOutAfterAdding(added, waiter);
    scheduleFollowUp([this] { sendQueueRequest(); });
    Q_EMIT commandSettled(fields, false);
}

void UDPSocketManager::handleReply(const QString &text, const SharedOperations &operations)
{
    if (const std::optional<GatewayReply::Form> reply = GatewayReply::parse(text))
        handleReply(*reply, operations);
}

void UDPSocketManager::handleReply(const GatewayReply::Form &reply,
                                   const SharedOperations &operations)
{
    using Reply = GatewayReply;
    ReplyHandlers *handlers = m_replyHandlers;
    const SharedOperations records = orEmpty(operations);
    std::visit(Overloaded{
                   [&](const Reply::RoleAcknowledgement &r) {
                       handlers->overCommandWithServerInfo(r, records);
                   },
                   [&](const Reply::LocateAnswer &r) {
                       handlers->overGatewayIPWithServerInfo(r, records);
                   },
                   [&](const Reply::DeviceAcknowledgement &r) {
                       handlers->overLightingControlWithServerInfo(r, records);
                   },
                   [&](const Reply::StateAnswer &r) {
                       handlers->getLightingStateWithServerInfo(r, records);
                   },
                   [&](const Reply::NamingAcknowledgement &r) {
                       handlers->overScenarioWithServerInfo(r, records);
                   },
                   [&](const Reply::RunAcknowledgement &r) {
                       handlers->overScenarioRunWithServerInfo(r, records);
                   },
               },
               reply);
}

void UDPSocketManager::updateDeviceAndScenarioControlTimesWithInfo(const GatewayReply::Form &reply)
{
    m_replyHandlers->updateDeviceAndScenarioControlTimesWithInfo(reply);
}
