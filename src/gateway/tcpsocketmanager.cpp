#include "tcpsocketmanager.h"

#include "../core/appdelegate.h"
#include "../core/homelookup.h"
#include "../core/homescreen.h"
#include "../core/logging.h"
#include "../core/showalertmanager.h"
#include "../store/recordkeys.h"
#include "asyncsocket.h"
#include "configurationimport.h"
#include "udpsocketmanager.h"

TCPSocketManager *TCPSocketManager::instance()
{
    static TCPSocketManager *const manager = new TCPSocketManager();
    return manager;
}

QStringList TCPSocketManager::importRequest()
{
    return {QStringLiteral("req"),    QStringLiteral("gw"), QStringLiteral("start"),
            QStringLiteral("import"), QStringLiteral("0"),  QStringLiteral("0")};
}

QByteArray TCPSocketManager::requestLine(const QStringList &commandArray)
{
    return (QLatin1Char('$') + commandArray.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8();
}

void TCPSocketManager::sendTCPMessageWithCommandArray(const QStringList &commandArray,
                                                      const std::optional<QString> &address)
{
    ShowAlertManager *feedback = ShowAlertManager::instance();
    UDPSocketManager *channel = UDPSocketManager::instance();
    if (feedback->checkActivityShowOn()) {
        channel->updateMainController();
        return;
    }
    const QByteArray line = requestLine(commandArray);
    std::optional<QString> destination = address;
    if (!destination) {
        const std::optional<QVariantMap> master = channel->homeLookup()->firstTransmitter();
        if (!master) {
            feedback->showLabelWithTitle(UDPSocketManager::tr("Please scan the transmitter first"));
            return;
        }
        destination = master->value(Key::address).toString();
    }
    qCInfo(lcGateway).noquote() << QStringLiteral("message:%1").arg(QString::fromUtf8(line));

    if (m_socket) // a previous import still open: it ends here, reported as any other end
        m_socket->disconnect();
    m_socket = AsyncSocket::create(this);
    m_socket->connectToHost(*destination, m_port);
    m_socket->writeData(line, -1, 0);
    m_socket->readDataWithTimeout(kReadTimeoutSeconds, 0);
    m_socketResult = QByteArray("");
    AppDelegate::instance()->setConnectionType(AppDelegate::kStreamImport);
    feedback->startActivity(kReadTimeoutSeconds);
}

void TCPSocketManager::onSocketDidReadData(AsyncSocket *socket, const QByteArray &data, long tag)
{
    Q_UNUSED(tag)
    if (socket != m_socket.get())
        return; // an older import's connection, already given up
    AppDelegate::instance()->setConnectionType(AppDelegate::kDatagramExchange);
    m_socketResult += data;
    if (m_socketResult.size() > kMaxReplyBytes) {
        qCWarning(lcGateway) << "import reply over" << kMaxReplyBytes << "bytes: dropped";
        m_socketResult.clear(); // ends as a failed import, store untouched
        socket->disconnect();
        return;
    }
    // The marker may straddle two chunks: look for it in all that came.
    if (!m_socketResult.contains(ConfigurationImport::kEndMarker)) {
        socket->readDataWithTimeout(kReadTimeoutSeconds, 0);
        return;
    }
    finishImport();
}

void TCPSocketManager::finishImport()
{
    AppDelegate *app = AppDelegate::instance();
    ShowAlertManager *feedback = ShowAlertManager::instance();
    app->setIfConnected(AppDelegate::kConnected);
    feedback->transmitterConnectionSuccessful(2);
    UDPSocketManager::instance()->getGatewayIPAgain(std::nullopt);
    m_socket->disconnect();

    // Decoded as a whole, so that a character split between chunks survives.
    const bool committed = ConfigurationImport::rebuildStoreFrom(QString::fromUtf8(m_socketResult));
    if (committed)
        feedback->showLabelWithTitle(tr("Synchronous data successful"));
    else
        feedback->showLabelWithTitle(UDPSocketManager::tr("Control failed"),
                                     UDPSocketManager::tr("Please check device and network"));
    if (auto *home = app->topScreenAs<HomeScreen>())
        home->updateCenterView();
    Q_EMIT importFinished(committed);
}

void TCPSocketManager::onSocketDidDisconnect(AsyncSocket *socket)
{
    qCInfo(lcGateway) << "onSocketDidDisconnect.......";
    if (socket != m_socket.get())
        return;
    m_socket.reset();
    if (!m_socketResult.isEmpty())
        ShowAlertManager::instance()->stopActivity();
    else
        ShowAlertManager::instance()->activityOnTimeOut();
}
