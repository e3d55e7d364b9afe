#include "udpsocketmanager.h"

#include "../core/appdelegate.h"
#include "../core/delegatemanager.h"
#include "../core/homelookup.h"
#include "../core/logging.h"
#include "../core/reloadablescreen.h"
#include "../core/screenstack.h"
#include "../core/showalertmanager.h"
#include "../store/database.h"
#include "../store/recordkeys.h"
#include "../store/storehomelookup.h"

#include "asyncudpsocket.h"
#include "commandline.h"
#include "gatewayreplies.h"
#include "localaddress.h"
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

using Handler = void (UDPSocketManager::*)(const QString &);
struct Marker {
    QLatin1String text;
    Handler handler;
};

// Tested in this order; every marker a reply contains reaches its handler.
const Marker kMarkers[] = {
    {QLatin1String("$ack,gw"), &UDPSocketManager::overCommandWithServerInfo},
    {QLatin1String("$res,gw"), &UDPSocketManager::overGatewayIPWithServerInfo},
    {QLatin1String("$ack,lig"), &UDPSocketManager::overLightingControlWithServerInfo},
    {QLatin1String("$res,lig"), &UDPSocketManager::getLightingStateWithServerInfo},
    {QLatin1String("$ack,curtain"), &UDPSocketManager::overLightingControlWithServerInfo},
    {QLatin1String("$res,curtain"), &UDPSocketManager::getLightingStateWithServerInfo},
    {QLatin1String("$ack,scename"), &UDPSocketManager::overScenarioWithServerInfo},
};
} // namespace

UDPSocketManager *UDPSocketManager::instance()
{
    static UDPSocketManager *const manager = new UDPSocketManager();
    return manager;
}

UDPSocketManager::UDPSocketManager()
    : m_followUps(kFollowUpMilliseconds), m_homeLookup(storedHome()),
      m_gatewayReplies(std::make_unique<GatewayReplies>(this)),
      m_replyHandlers(m_gatewayReplies.get())
{
    m_getMasterGatewayIPAgainTimer.setSingleShot(true);
    m_getMasterGatewayIPAgainTimer.setInterval(kRediscoveryMilliseconds);
    connect(&m_getMasterGatewayIPAgainTimer, &QTimer::timeout, this,
            &UDPSocketManager::getMasterGatewayIPAgain);
}

UDPSocketManager::~UDPSocketManager() = default;

void UDPSocketManager::setReplyHandlers(ReplyHandlers *handlers)
{
    m_replyHandlers = handlers ? handlers : m_gatewayReplies.get();
}

void UDPSocketManager::sendOperationQueueRequest(int index)
{
    m_gatewayReplies->devices().sendOperationQueueRequest(index);
}

void UDPSocketManager::alertViewClickedButtonAtIndex(int buttonIndex)
{
    m_gatewayReplies->devices().alertViewClickedButtonAtIndex(buttonIndex);
}

void UDPSocketManager::setHomeLookup(HomeLookup *lookup)
{
    m_homeLookup = lookup ? lookup : storedHome();
}

void UDPSocketManager::setUdpOperationArray(const QList<QVariantMap> &operations)
{
    m_udpOperationArray = operations;
}

void UDPSocketManager::clearOperationAndQueue()
{
    m_udpOperationArray.clear();
    m_udpQueueArray.clear();
}

QString UDPSocketManager::getLocalAddressString()
{
    return LocalAddress::getLocalAddressString();
}

std::optional<QString>
UDPSocketManager::getUDPAdressWithSendAddress(const std::optional<QString> &address) const
{
    if (address == kGroupAddress)
        return LocalAddress::broadcastAddressFor(getLocalAddressString());
    if (address)
        return address;
    const std::optional<QVariantMap> master = m_homeLookup->firstTransmitter();
    if (!master || !master->contains(Key::address))
        return std::nullopt;
    return master->value(Key::address).toString();
}

double UDPSocketManager::replyWaitFor(const QStringList &commandArray) const
{
    const bool switchAll =
        commandArray.size() >= 4 && commandArray.at(1) == QLatin1String("lig") &&
        (commandArray.at(3) == QLatin1String("5") || commandArray.at(3) == QLatin1String("6"));
    if (!switchAll)
        return kReplyWaitSeconds;
    // Each light takes its turn on the radio: 4 seconds a light.
    const float wait = 4.0f * float(m_homeLookup->lightingDeviceCount());
    return wait > kReplyWaitSeconds ? double(wait) : kReplyWaitSeconds;
}

void UDPSocketManager::sendMessageWithCommandArray(const QStringList &commandArray,
                                                   const std::optional<QString> &address)
{
    ShowAlertManager *feedback = ShowAlertManager::instance();
    if (!CommandLine::isSendable(commandArray)) {
        // A "," would split the field in two on the wire.
        qCWarning(lcGateway).noquote()
            << "refused a command with a field the line cannot carry:" << commandArray;
        feedback->showLabelWithTitle(tr("Control failed"), tr("Please check device and network"));
        return;
    }

    const std::optional<QString> destination = getUDPAdressWithSendAddress(address);
    if (!destination) {
        clearOperationAndQueue();
        feedback->showLabelWithTitle(tr("Please scan the transmitter first"));
        return;
    }

    if (feedback->checkActivityShowOn()) {
        if (m_udpQueueArray.size() > kMaxQueuedCommands - 1)
            feedback->showLabelWithTitle(tr("Your operating too often"), tr("Please have a rest"));
        else
            m_udpQueueArray.append({commandArray, *destination});
        updateMainController();
        return;
    }
    sendNow(commandArray, *destination);
}

void UDPSocketManager::sendNow(const QStringList &commandArray, const QString &destination)
{
    const QString line = CommandLine::lineFromCommandArray(commandArray);
    const double wait = replyWaitFor(commandArray);
    qCInfo(lcGateway).noquote() << QStringLiteral("address:%1_message:%2_%3")
                                       .arg(destination, line, QString::number(wait, 'f', 6));

    const std::shared_ptr<AsyncUdpSocket> socket = AsyncUdpSocket::create(this);
    socket->receiveWithTimeout(wait, kReceiveTag);
    socket->enableBroadcast(true);
    socket->sendData(line.toUtf8(), destination, m_transmitterPort, kSendTimeoutSeconds, kSendTag);
    ShowAlertManager::instance()->startActivity(wait);
    // The socket keeps itself alive until its exchange has ended.
}

void UDPSocketManager::sendQueueRequest()
{
    if (m_udpQueueArray.isEmpty())
        return;
    const QueueEntry entry = m_udpQueueArray.takeFirst();
    sendMessageWithCommandArray(entry.sendArray, entry.sendAddress);
}

void UDPSocketManager::updateMainController()
{
    if (auto *screen = AppDelegate::instance()->topScreenAs<ReloadableScreen>())
        screen->updateMainView();
}

void UDPSocketManager::cleanAllData()
{
    QFile store(Database::databasePath());
    if (store.exists() && !store.remove())
        qCWarning(lcStore).noquote() << QStringLiteral("Error: %1").arg(store.errorString());
    DelegateManager::instance()->initApplicationNeedData();
}

void UDPSocketManager::getGatewayIPWithID(const QString &transmitterId,
                                          const std::optional<QString> &lastAddress)
{
    const QStringList locate{QStringLiteral("req"), QStringLiteral("gw"), transmitterId,
                             QStringLiteral("1"),   QStringLiteral("0"),  QStringLiteral("0")};
    sendMessageWithCommandArray(locate, lastAddress ? lastAddress : kGroupAddress);
}

void UDPSocketManager::getGatewayIPAgain(const std::optional<QString> &transmitterId)
{
    m_getMasterGatewayIPAgainTimer.stop();
    m_rediscoveryId.clear();
    if (!transmitterId)
        return;
    m_rediscoveryId = *transmitterId;
    m_getMasterGatewayIPAgainTimer.start();
}

void UDPSocketManager::getMasterGatewayIPAgain()
{
    const QString transmitterId = m_rediscoveryId;
    m_getMasterGatewayIPAgainTimer.stop();
    m_rediscoveryId.clear();
    getGatewayIPWithID(transmitterId);
}

bool UDPSocketManager::onUdpSocketDidReceiveData(AsyncUdpSocket *socket, const QByteArray &data,
                                                 long tag, const QString &host, quint16 port)
{
    Q_UNUSED(tag)
    Q_UNUSED(host)
    Q_UNUSED(port)
    socket->closeAfterSending();
    ShowAlertManager *feedback = ShowAlertManager::instance();
    feedback->stopActivity();
    AppDelegate::instance()->setIfConnected(AppDelegate::kConnected);
    feedback->transmitterConnectionSuccessful(2);
    getGatewayIPAgain(std::nullopt);

    const std::optional<QString> text = decodeUtf8(data);
    if (!text || !text->contains(CommandLine::kToken))
        return true;
    dispatchReply(*text);
    return false;
}

void UDPSocketManager::dispatchReply(const QString &text)
{
    for (const Marker &marker : kMarkers)
        if (text.contains(marker.text))
            (this->*marker.handler)(text);
    // Counters first, then the next queued command; a handler's own
    // follow-up, scheduled above, runs before both.
    m_followUps.schedule([this, text] {
        updateDeviceAndScenarioControlTimesWithInfo(text);
        sendQueueRequest();
    });
}

void UDPSocketManager::onUdpSocketDidNotReceiveData(AsyncUdpSocket *socket, long tag,
                                                    const QString &error)
{
    Q_UNUSED(socket)
    Q_UNUSED(tag)
    Q_UNUSED(error)
    // Once a transmitter has answered, a lost reply is not reported until the
    // state is reset (activation, resignation, Clean All).
    if (AppDelegate::instance()->ifConnected() != AppDelegate::kConnected)
        ShowAlertManager::instance()->activityOnTimeOut();
}

void UDPSocketManager::onUdpSocketDidClose(AsyncUdpSocket *socket)
{
    Q_UNUSED(socket)
    ShowAlertManager::instance()->stopActivity();
}

void UDPSocketManager::overCommandWithServerInfo(const QString &info)
{
    m_replyHandlers->overCommandWithServerInfo(info);
}

void UDPSocketManager::overGatewayIPWithServerInfo(const QString &info)
{
    m_replyHandlers->overGatewayIPWithServerInfo(info);
}

void UDPSocketManager::overLightingControlWithServerInfo(const QString &info)
{
    m_replyHandlers->overLightingControlWithServerInfo(info);
}

void UDPSocketManager::getLightingStateWithServerInfo(const QString &info)
{
    m_replyHandlers->getLightingStateWithServerInfo(info);
}

void UDPSocketManager::overScenarioWithServerInfo(const QString &info)
{
    m_replyHandlers->overScenarioWithServerInfo(info);
}

void UDPSocketManager::updateDeviceAndScenarioControlTimesWithInfo(const QString &info)
{
    m_replyHandlers->updateDeviceAndScenarioControlTimesWithInfo(info);
}
