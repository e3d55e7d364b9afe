#pragma once

#include <QString>

class UDPSocketManager;

// Acknowledgements and state answers of lights and curtains, matched against
// the operation list of the flow that sent them: enrolment, naming, control,
// removal (with the forced removal it may lead to) and scenario membership.
class DeviceReplies {
public:
    explicit DeviceReplies(UDPSocketManager *channel) : m_channel(channel) {}

    void overLightingControlWithServerInfo(const QString &info);
    void getLightingStateWithServerInfo(const QString &info);
    // Sends the command of operation entry index + 1, if there is one.
    void sendOperationQueueRequest(int index);
    // The answer to the forced-removal question.
    void alertViewClickedButtonAtIndex(int buttonIndex);

    void addLightToDeviceWithAnswer(const QString &code, const QString &ligId);
    void changeNameWithAnswer(const QString &code, const QString &ligId);
    void lightControlWithAnswer(const QString &code, const QString &ligId);
    void deleteLightWithAnswer(const QString &code, const QString &ligId);
    void forceDeleteWithAnswer(const QString &code, const QString &ligId);
    void addOrDeleteLightWithAnswer(const QString &code, const QString &ligId,
                                    const QString &parameter);

    static inline const QString kForceRemove = QStringLiteral("强制删除");
    static inline const QString kCancel = QStringLiteral("取消");

private:
    void stepAfter(int index);
    void reportEnrolment();
    void completeScenarioChange();
    void askForcedRemoval(const QString &message);
    void showControlFailed();

    UDPSocketManager *m_channel;
};
