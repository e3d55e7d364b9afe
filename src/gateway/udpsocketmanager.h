#pragma once

#include "asyncudpsocketdelegate.h"
#include "followupqueue.h"
#include "queueentry.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <memory>
#include <optional>

class GatewayReplies;
class HomeLookup;
class ReplyHandlers;

// The one channel to the transmitters: resolves where a command goes, frames
// it as one datagram line, keeps one command outstanding at a time (queueing
// up to 8 more), waits for the reply and hands it to the reply handlers by
// the markers it contains.
class UDPSocketManager final : public QObject, public AsyncUdpSocketDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UDPSocketManager)

public:
    static constexpr quint16 kTransmitterPort = 9899;
    static constexpr double kReplyWaitSeconds = 10.0;
    static constexpr double kSendTimeoutSeconds = 10.0;
    static constexpr int kFollowUpMilliseconds = 110;
    static constexpr int kRediscoveryMilliseconds = 5000;
    static constexpr int kMaxQueuedCommands = 8;
    static constexpr long kSendTag = 1;
    static constexpr long kReceiveTag = 2;
    static inline const QString kGroupAddress = QStringLiteral("groupAddress");
    static inline const QString kAllLightsId = QStringLiteral("2111FFFFFFFF");

    static UDPSocketManager *instance();

    // address: nullopt for the master, "groupAddress" for the subnet
    // broadcast, else the address itself.
    void sendMessageWithCommandArray(const QStringList &commandArray,
                                     const std::optional<QString> &address = std::nullopt);
    void sendQueueRequest();
    std::optional<QString> getUDPAdressWithSendAddress(const std::optional<QString> &address) const;
    static QString getLocalAddressString();
    // How long the reply to this command is awaited, in seconds.
    double replyWaitFor(const QStringList &commandArray) const;
    void updateMainController();
    // Removes the store file and rebuilds the first-run data (an empty home
    // with the two built-in scenarios); the pictures stay.
    void cleanAllData();
    // Runs the call 0.11 s from now, after every follow-up scheduled before it.
    void scheduleFollowUp(std::function<void()> call) { m_followUps.schedule(std::move(call)); }

    // Transmitter location: sends the locate request to the last address or by broadcast.
    void getGatewayIPWithID(const QString &transmitterId,
                            const std::optional<QString> &lastAddress = std::nullopt);
    // Cancels the pending rediscovery and, given an ID, arms a new one 5 seconds out.
    void getGatewayIPAgain(const std::optional<QString> &transmitterId);
    void getMasterGatewayIPAgain();

    // Reply handlers, reached by the markers of a reply.
    void overCommandWithServerInfo(const QString &info);
    void overGatewayIPWithServerInfo(const QString &info);
    void overLightingControlWithServerInfo(const QString &info);
    void getLightingStateWithServerInfo(const QString &info);
    void overScenarioWithServerInfo(const QString &info);
    void updateDeviceAndScenarioControlTimesWithInfo(const QString &info);
    // Steps an operation list: sends entry index + 1.
    void sendOperationQueueRequest(int index);
    // The answer to the forced-removal question (0 removes by force).
    void alertViewClickedButtonAtIndex(int buttonIndex);

    // The operation list of the current multi-step flow and the send queue.
    QList<QVariantMap> &udpOperationArray() { return m_udpOperationArray; }
    void setUdpOperationArray(const QList<QVariantMap> &operations);
    const QList<QueueEntry> &udpQueueArray() const { return m_udpQueueArray; }
    void clearOperationAndQueue();
    int pendingFollowUps() const { return m_followUps.pendingCount(); }
    bool isRediscoveryArmed() const { return m_getMasterGatewayIPAgainTimer.isActive(); }
    QString rediscoveryTransmitterId() const { return m_rediscoveryId; }

    // Socket callbacks.
    bool onUdpSocketDidReceiveData(AsyncUdpSocket *socket, const QByteArray &data, long tag,
                                   const QString &host, quint16 port) override;
    void onUdpSocketDidNotReceiveData(AsyncUdpSocket *socket, long tag,
                                      const QString &error) override;
    void onUdpSocketDidClose(AsyncUdpSocket *socket) override;

    // Seams: the store view (not owned; null means the store itself), the reply
    // handlers (not owned) and the transmitters' port.
    void setHomeLookup(HomeLookup *lookup);
    HomeLookup *homeLookup() const { return m_homeLookup; }
    // Null restores the system's own handlers.
    void setReplyHandlers(ReplyHandlers *handlers);
    void setTransmitterPort(quint16 port) { m_transmitterPort = port; }
    quint16 transmitterPort() const { return m_transmitterPort; }

private:
    UDPSocketManager();
    ~UDPSocketManager() override;
    void sendNow(const QStringList &commandArray, const QString &destination);
    void dispatchReply(const QString &text);

    FollowUpQueue m_followUps;
    QList<QueueEntry> m_udpQueueArray;
    QList<QVariantMap> m_udpOperationArray;
    QTimer m_getMasterGatewayIPAgainTimer;
    QString m_rediscoveryId;
    HomeLookup *m_homeLookup;
    std::unique_ptr<GatewayReplies> m_gatewayReplies;
    ReplyHandlers *m_replyHandlers;
    quint16 m_transmitterPort = kTransmitterPort;
};
