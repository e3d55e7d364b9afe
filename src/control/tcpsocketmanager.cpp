// SPDX-License-Identifier: GPL-3.0-or-later
#include "tcpsocketmanager.h"

#include "appdelegate.h"
#include "base/logging.h"
#include "configurationimport.h"
#include "enrolmentoperations.h"
#include "flowcaller.h"
#include "homeevents.h"
#include "homelookup.h"
#include "store/recordkeys.h"
#include "transport/asyncsocket.h"
#include "transport/transmittercommands.h"
#include "udpsocketmanager.h"

TCPSocketManager::TCPSocketManager(UDPSocketManager *channel, AppDelegate *app, HomeEvents *events,
                                   const ConfigurationImport &configuration)
    : m_channel(channel), m_app(app), m_events(events), m_configuration(configuration)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kImportDeadline);
    connect(&m_deadline, &QTimer::timeout, this, &TCPSocketManager::giveUpImport);
    m_unreachable.setSingleShot(true);
    m_unreachable.setInterval(int(kReadTimeoutSeconds * 1000));
    connect(&m_unreachable, &QTimer::timeout, this, &TCPSocketManager::reportFailedImport);
}

TCPSocketManager::~TCPSocketManager()
{
    // An import under way ends with its socket, unreported.
    delete m_socket;
}

QStringList TCPSocketManager::importRequest()
{
    return TransmitterCommands::importRequest();
}

QByteArray TCPSocketManager::requestLine(const QStringList &commandArray)
{
    return (QLatin1Char('$') + commandArray.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
}

void TCPSocketManager::sendTCPMessageWithCommandArray(const QStringList &commandArray,
                                                      const std::optional<QString> &address,
                                                      std::shared_ptr<FlowCaller> caller)
{
    // A person watching is told once through the feedback service, however
    // many screens asked.
    const auto watches = [](const std::shared_ptr<FlowCaller> &c) {
        return FlowCaller::orService(c.get()).personWatches();
    };
    const bool told = std::any_of(m_callers.cbegin(), m_callers.cend(), [&](const auto &c) {
        return c == caller || (watches(c) && watches(caller));
    });
    if (!told)
        m_callers.push_back(std::move(caller));
    if (m_socket)
        return; // one import at a time: the one under way answers this request too
    // It goes at once unless a command is outstanding or queued (the quiet
    // link check gives way); while it waits, the top screen shows it.
    if (!m_channel->runWhenIdle([this, commandArray, address] { sendNow(commandArray, address); }))
        m_channel->updateMainController();
}

void TCPSocketManager::sendNow(const QStringList &commandArray,
                               const std::optional<QString> &address)
{
    // One import at a time: the one under way, or one already answered,
    // answered this request too.
    if (m_socket || m_callers.empty())
        return;
    const QByteArray line = requestLine(commandArray);
    std::optional<QString> destination = address;
    if (!destination) {
        const std::optional<QVariantMap> master = m_channel->homeLookup()->firstTransmitter();
        if (!master) {
            tell(FlowOutcome::invalidInput(
                UDPSocketManager::tr("Please scan the transmitter first")));
            m_callers.clear();
            Q_EMIT importFinished(false);
            return;
        }
        destination = master->value(Key::address).toString();
    }
    qCInfo(lcGateway).noquote() << QStringLiteral("message:%1").arg(QString::fromUtf8(line));

    m_unreachable.stop();
    m_stream.clear();
    m_completed = false;
    m_app->setConnectionType(AppDelegate::kStreamImport);
    m_socket = new AsyncSocket(this, this);
    if (m_socket->connectToHost(*destination, m_port)) {
        m_socket->writeData(line, -1, 0);
        m_socket->readDataWithTimeout(kReadTimeoutSeconds, 0);
        // Datagram commands wait until the import has ended: its end, not
        // the indicator's own timer, ends the wait.
        m_channel->setImportRunning(true);
        m_deadline.start();
        showProgress();
    } else {
        // Nowhere to connect (no stored address): no socket callback will
        // come, so the failure is reported when the read wait would end.
        delete m_socket;
        Q_EMIT importFinished(false);
        showProgress();
        m_unreachable.start();
    }
}

void TCPSocketManager::giveUpImport()
{
    if (!m_socket)
        return;
    qCWarning(lcGateway) << "import: its deadline passed before its end: given up";
    m_socket->disconnect(); // ends as a failed import, store untouched
}

void TCPSocketManager::onSocketDidReadData(AsyncSocket *socket, const QByteArray &data, long tag)
{
    Q_UNUSED(tag)
    if (socket != m_socket)
        return; // an older import's connection, already given up
    m_app->setConnectionType(AppDelegate::kDatagramExchange);
    switch (m_stream.append(data)) {
    case ImportStream::State::Oversized:
        qCWarning(lcGateway) << "import reply over" << ImportStream::kMaxBytes << "bytes: dropped";
        socket->disconnect(); // ends as a failed import, store untouched
        return;
    case ImportStream::State::Incomplete:
        socket->readDataWithTimeout(kReadTimeoutSeconds, 0);
        return;
    case ImportStream::State::Complete:
        break;
    }
    finishImport();
}

void TCPSocketManager::finishImport()
{
    m_completed = true;
    m_app->setIfConnected(AppDelegate::kConnected);
    m_channel->linkFeedback().importAnswered();
    m_channel->rediscovery().getGatewayIPAgain(std::nullopt);
    m_socket->disconnect();

    const bool committed = m_configuration.rebuildStoreFrom(m_stream.text());
    if (committed) {
        m_events->announceHomeReplaced();
        tell(FlowOutcome::done(tr("Synchronous data successful")));
    } else { // not a configuration, or the store would not take it: the home stays as it was
        tell(FlowOutcome::invalidInput());
    }
    Q_EMIT importFinished(committed);
}

void TCPSocketManager::reportFailedImport()
{
    m_app->setConnectionType(AppDelegate::kStreamImport);
    m_app->setIfConnected(AppDelegate::kConnectionFailed);
    const std::vector<std::shared_ptr<FlowCaller>> callers = std::exchange(m_callers, {});
    FlowCaller *watched = nullptr;
    for (const std::shared_ptr<FlowCaller> &asked : callers) {
        FlowCaller &caller = FlowCaller::orService(asked.get());
        if (caller.personWatches()) {
            watched = &caller;
            continue;
        }
        caller.stopProgress();
        caller.report(FlowOutcome::noReply());
    }
    // The service tells the screen that asked (an enrolment's, or a toast)
    // and ends its indicator; otherwise the import is simply over.
    if (watched)
        m_channel->linkFeedback().importFailed(
            EnrolmentOperations::tellTransmitterCutShort(*watched));
    else
        m_app->setConnectionType(AppDelegate::kDatagramExchange);
    m_channel->linkFailed();
}

void TCPSocketManager::showProgress()
{
    for (const std::shared_ptr<FlowCaller> &caller : m_callers)
        if (!FlowCaller::orService(caller.get()).personWatches())
            caller->showProgress(kReadTimeoutSeconds);
        else
            m_channel->linkFeedback().importWaits(kReadTimeoutSeconds);
}

void TCPSocketManager::stopProgress()
{
    for (const std::shared_ptr<FlowCaller> &caller : std::exchange(m_callers, {}))
        if (!FlowCaller::orService(caller.get()).personWatches())
            caller->stopProgress();
        else
            m_channel->linkFeedback().importEnded();
}

void TCPSocketManager::tell(const FlowOutcome &outcome)
{
    for (const std::shared_ptr<FlowCaller> &caller : m_callers)
        FlowCaller::orService(caller.get()).report(outcome);
}

void TCPSocketManager::onSocketDidDisconnect(AsyncSocket *socket)
{
    qCInfo(lcGateway) << "onSocketDidDisconnect.......";
    if (socket != m_socket)
        return;
    m_socket = nullptr;
    m_deadline.stop();
    if (m_completed) {
        stopProgress();
    } else {
        // No data, a cut stream or an oversized one: the import failed and
        // the stored home is as it was. Reported as an import that got no
        // answer, whatever came before the cut.
        reportFailedImport();
    }
    m_channel->setImportRunning(false);
    if (!m_completed)
        Q_EMIT importFinished(false);
}
