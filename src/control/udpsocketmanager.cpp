// SPDX-License-Identifier: GPL-3.0-or-later
#include "udpsocketmanager.h"

#include "base/logging.h"
#include "delegatemanager.h"
#include "devicereplies.h"
#include "flowcaller.h"
#include "homeevents.h"
#include "homelookup.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "storehomelookup.h"

#include "controllercommands.h"
#include "transport/commandline.h"
#include "transport/gatewayreply.h"
#include "transport/localaddress.h"
#include "transport/resultcode.h"
#include "transport/transmittercommands.h"
#include "transport/wirevocabulary.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// Strict UTF-8: a datagram with any invalid sequence gives no text.
std::optional<QString> decodeUtf8(const QByteArray &data)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

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

UDPSocketManager::UDPSocketManager(Database *store, HomeEvents *events, AppDelegate *application)
    : m_queue(kFollowUpMilliseconds,
              {[this](const ChannelCommand &command) { m_linkFeedback.commandSent(command); },
               [this](const ChannelCommand &command, const QByteArray &datagram, bool owned) {
                   onReply(command, datagram, owned);
               },
               [this](const ChannelCommand &command) {
                   logOutcome(command.fields, CommandOutcome::noReply());
               },
               [this](const ChannelCommand &command) { onNoReply(command); }}),
      m_linkFeedback(*application),
      m_rediscovery([this](const QString &transmitterId) { getGatewayIPWithID(transmitterId); }),
      m_events(events), m_storedHome(*store), m_homeLookup(&m_storedHome),
      m_replies(this, store, events)
{
    // Test hook: the tests that run the programs shorten every reply wait.
    if (const double wait = qEnvironmentVariable(kReplyWaitVariable).toDouble(); wait > 0)
        m_replyWaitOverride = wait;
}

UDPSocketManager::~UDPSocketManager()
{
    // No exchange outlives the channel it reports to.
    abandonCommands();
}

void UDPSocketManager::sendOperationQueueRequest(int index, const SharedOperations &operations)
{
    m_replies.devices().sendOperationQueueRequest(index, orEmpty(operations));
}

void UDPSocketManager::alertViewClickedButtonAtIndex(int buttonIndex,
                                                     const SharedOperations &operations)
{
    m_replies.devices().alertViewClickedButtonAtIndex(buttonIndex, orEmpty(operations));
}

void UDPSocketManager::setHomeLookup(HomeLookup *lookup)
{
    m_homeLookup = lookup ? lookup : &m_storedHome;
}

void UDPSocketManager::clearQueue()
{
    for (const ChannelCommand &dropped : m_queue.takeQueued()) {
        logOutcome(dropped.fields, CommandOutcome::dropped());
        m_linkFeedback.dropped(dropped);
    }
}

void UDPSocketManager::linkFailed(bool quietCheck)
{
    if (!quietCheck) {
        updateMainController();
        clearQueue();
    }
    if (const auto master = m_homeLookup->firstTransmitter())
        m_rediscovery.getGatewayIPAgain(master->value(Key::id).toString());
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
    operations = orEmpty(operations);
    FlowCaller &caller = FlowCaller::of(*operations);
    if (!CommandLine::isSendable(commandArray)) {
        // A "," would split the field in two on the wire.
        qCWarning(lcGateway).noquote()
            << "refused a command with a field the line cannot carry:" << commandArray;
        caller.report(FlowOutcome::invalidInput());
        return;
    }

    const std::optional<QString> destination = getUDPAdressWithSendAddress(address);
    if (!destination) {
        clearQueue();
        caller.report(FlowOutcome::invalidInput(tr("Please scan the transmitter first")));
        return;
    }

    ChannelCommand command{commandArray, *destination, replyWaitFor(commandArray), operations};
    switch (m_queue.submit(std::move(command))) {
    case CommandQueue::Admission::Sent:
        return;
    case CommandQueue::Admission::Refused:
        logOutcome(commandArray, CommandOutcome::dropped());
        caller.report(
            FlowOutcome::dropped(tr("Your operating too often"), tr("Please have a rest")));
        break;
    case CommandQueue::Admission::Queued:
        break;
    }
    updateMainController();
}

bool UDPSocketManager::startOperationList(OperationList operations)
{
    if (operations.isEmpty())
        return false;
    const QStringList first = operations.constFirst().value(Key::sendArray).toStringList();
    sendMessageWithCommandArray(first, std::nullopt, shareOperations(std::move(operations)));
    return true;
}

void UDPSocketManager::sendQueueRequest()
{
    m_queue.sendNext();
}

void UDPSocketManager::queryStateInBackground(const QVariantMap &device)
{
    const std::optional<QString> destination = getUDPAdressWithSendAddress(std::nullopt);
    if (!destination)
        return;
    const QStringList query = ControllerCommands::stateQuery(device);
    const double wait = qMin(m_replyWaitOverride.value_or(kBackgroundReplyWaitSeconds),
                             kBackgroundReplyWaitSeconds);
    m_queue.addBackgroundQuery(
        {query, *destination, wait,
         shareOperations({{{Key::sendArray, query}, {Key::backgroundQuery, Value::yes}}})});
}

void UDPSocketManager::abandonCommands()
{
    m_links.clear();
    m_queue.abandon();
}

void UDPSocketManager::updateMainController()
{
    m_linkFeedback.commandWaits();
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
    m_queue.sendNow(std::move(command));
}

void UDPSocketManager::onReply(const ChannelCommand &command, const QByteArray &datagram,
                               bool owned)
{
    m_links.answered(transmitterOf(command));
    m_linkFeedback.replied(command, owned);
    if (!command.background)
        m_rediscovery.getGatewayIPAgain(std::nullopt);

    const std::optional<QString> text = decodeUtf8(datagram);
    const std::optional<GatewayReply::Form> reply =
        text ? GatewayReply::parse(*text) : std::nullopt;
    logOutcome(command.fields, outcomeOfReply(reply));
    if (reply)
        dispatchReply(*reply, command.operations);
    else // nothing to act on, but the command has its outcome: the queue moves on
        scheduleFollowUp([this] { sendQueueRequest(); });
    // A person's command that waited behind the app's own query goes now.
    if (command.background)
        m_queue.sendNextForPerson();
    Q_EMIT commandSettled(command.fields, true);
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

void UDPSocketManager::onNoReply(const ChannelCommand &command)
{
    m_links.unanswered(transmitterOf(command));
    if (command.background)
        m_events->announceStateUnknown(Wire::targetOf(command.fields));
    else if (m_linkFeedback.unanswered(command))
        linkFailed(command.quiet);
    scheduleFollowUp([this] { sendQueueRequest(); });
    if (command.background)
        m_queue.sendNextForPerson();
    Q_EMIT commandSettled(command.fields, false);
}

void UDPSocketManager::handleReply(const QString &text, const SharedOperations &operations)
{
    if (const std::optional<GatewayReply::Form> reply = GatewayReply::parse(text))
        handleReply(*reply, operations);
}

void UDPSocketManager::handleReply(const GatewayReply::Form &reply,
                                   const SharedOperations &operations)
{
    m_replies.dispatch(reply, operations);
}

void UDPSocketManager::updateDeviceAndScenarioControlTimesWithInfo(const GatewayReply::Form &reply)
{
    m_replies.updateUseCounters(reply);
}
