// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandqueue.h"

#include "base/logging.h"
#include "commandexchange.h"
#include "commandline.h"

CommandQueue::CommandQueue(int followUpMilliseconds, Listener listener, QObject *parent)
    : QObject(parent), m_listener(std::move(listener)), m_followUps(followUpMilliseconds)
{
}

CommandQueue::~CommandQueue() = default;

CommandQueue::Admission CommandQueue::submit(ChannelCommand command)
{
    giveWayToPerson();
    if (!isBusy()) {
        sendNow(std::move(command));
        return Admission::Sent;
    }
    if (m_queued.size() >= kMaxQueued)
        return Admission::Refused;
    m_queued.append(std::move(command));
    return Admission::Queued;
}

void CommandQueue::sendNow(ChannelCommand command)
{
    qCInfo(lcGateway).noquote() << QStringLiteral("address:%1_message:%2_%3")
                                       .arg(command.destination,
                                            CommandLine::lineFromCommandArray(command.fields),
                                            QString::number(command.replyWaitSeconds, 'f', 6));
    auto *exchange = new CommandExchange(std::move(command), m_port, this);
    connect(exchange, &CommandExchange::replied, this, &CommandQueue::onReply);
    connect(exchange, &CommandExchange::noReply, this, &CommandQueue::onNoReply);
    m_outstanding = exchange;
    if (m_offline)
        exchange->startWait();
    else
        exchange->start();
    m_listener.sent(exchange->command());
}

void CommandQueue::giveWayToPerson()
{
    if (!m_outstanding || !m_outstanding->command().quiet)
        return;
    // The press itself tells whether the master answers, within its own
    // wait: the check would only hold it back for up to its whole wait.
    CommandExchange *check = m_outstanding;
    disconnect(check, nullptr, this, nullptr);
    const QStringList &fields = check->command().fields;
    qCInfo(lcGateway).noquote() << QStringLiteral("outcome:%1_%2_%3_given-way")
                                       .arg(Wire::familyOf(fields), Wire::targetOf(fields),
                                            fields.value(3));
    settle(check);
}

void CommandQueue::sendNext()
{
    if (isBusy())
        return; // the outstanding command's outcome drains the queue
    if (!m_queued.isEmpty()) {
        sendNow(m_queued.takeFirst());
        return;
    }
    runIdleCalls();
    // What the app asks by itself goes when nobody else is waiting.
    if (!isBusy() && m_queued.isEmpty() && !m_background.isEmpty())
        sendNow(m_background.takeFirst());
}

void CommandQueue::sendNextForPerson()
{
    if (!isBusy() && !m_queued.isEmpty())
        sendNow(m_queued.takeFirst());
}

bool CommandQueue::addBackgroundQuery(ChannelCommand command)
{
    const auto sameChannel = [&command](const ChannelCommand &waiting) {
        return waiting.fields == command.fields;
    };
    if (std::any_of(m_background.cbegin(), m_background.cend(), sameChannel) ||
        (m_outstanding && sameChannel(m_outstanding->command())))
        return false;
    command.background = true;
    m_background.append(std::move(command));
    if (!isBusy() && m_followUps.pendingCount() == 0)
        scheduleFollowUp([this] { sendNext(); });
    return true;
}

bool CommandQueue::runWhenIdle(std::function<void()> call)
{
    giveWayToPerson();
    if (!isBusy() && m_queued.isEmpty() && m_idleCalls.isEmpty()) {
        call();
        return true;
    }
    m_idleCalls.append(std::move(call));
    if (!isBusy())
        scheduleFollowUp([this] { sendNext(); });
    return false;
}

void CommandQueue::runIdleCalls()
{
    const QList<std::function<void()>> calls = std::exchange(m_idleCalls, {});
    for (const std::function<void()> &call : calls)
        call();
}

void CommandQueue::setImportRunning(bool running)
{
    m_importRunning = running;
    if (!running)
        scheduleFollowUp([this] { sendNext(); });
}

const ChannelCommand *CommandQueue::outstanding() const
{
    return m_outstanding ? &m_outstanding->command() : nullptr;
}

bool CommandQueue::isSettled() const
{
    return !isBusy() && m_queued.isEmpty() && m_background.isEmpty() && m_idleCalls.isEmpty() &&
           m_followUps.pendingCount() == 0;
}

bool CommandQueue::isFreeForPerson() const
{
    const ChannelCommand *command = outstanding();
    const bool personOutstanding = command && !command->background && !command->quiet;
    return !personOutstanding && !m_importRunning && m_queued.isEmpty() && m_idleCalls.isEmpty() &&
           m_followUps.pendingCount() == 0;
}

void CommandQueue::abandon()
{
    m_queued.clear();
    m_background.clear();
    m_idleCalls.clear();
    m_followUps.clear();
    m_outstanding = nullptr;
    qDeleteAll(findChildren<CommandExchange *>(Qt::FindDirectChildrenOnly));
}

void CommandQueue::settle(CommandExchange *exchange)
{
    if (m_outstanding == exchange)
        m_outstanding = nullptr;
    exchange->deleteLater();
}

void CommandQueue::onReply(CommandExchange *exchange, const QByteArray &datagram)
{
    const bool owned = exchange == m_outstanding;
    const ChannelCommand command = exchange->command();
    settle(exchange);
    m_listener.replied(command, datagram, owned);
}

void CommandQueue::onNoReply(CommandExchange *exchange)
{
    const ChannelCommand command = exchange->command();
    m_listener.waitEnded(command);
    settle(exchange);
    m_listener.unanswered(command);
}
