#include "devicereplies.h"

#include "../core/alertpresenter.h"
#include "../core/appdelegate.h"
#include "../core/deviceenrolmentscreen.h"
#include "../core/logging.h"
#include "../core/namingscreen.h"
#include "../core/scenariolistscreen.h"
#include "../core/scenarionamingscreen.h"
#include "../core/showalertmanager.h"
#include "../core/textnumber.h"
#include "../store/database.h"
#include "../store/jsoncodec.h"
#include "../store/recordfactory.h"
#include "../store/recordkeys.h"
#include "udpsocketmanager.h"
#include "uidevicecalculation.h"

namespace {
int codeOf(const QString &codeText)
{
    return TextNumber::integerValue(codeText);
}

QString idOfInsertDevice(const QVariantMap &entry)
{
    return entry.value(Key::insertDevice).toMap().value(Key::id).toString();
}

QString targetOfSendArray(const QVariantMap &entry)
{
    return entry.value(Key::sendArray).toStringList().value(2);
}

int countAccepted(const QList<QVariantMap> &operations)
{
    return int(std::count_if(operations.cbegin(), operations.cend(), [](const QVariantMap &e) {
        return e.value(Key::haveSend).toString() == Value::yes;
    }));
}
} // namespace

void DeviceReplies::overLightingControlWithServerInfo(const QString &info)
{
    const QStringList fields = info.split(QLatin1Char(','));
    if (fields.size() < 7)
        return;
    const QString code = fields.at(6).chopped(qMin<qsizetype>(2, fields.at(6).size()));
    const QString &id = fields.at(2);
    switch (TextNumber::integerValue(fields.at(3))) {
    case 11:
        addLightToDeviceWithAnswer(code, id);
        break;
    case 13:
    case 14:
        addOrDeleteLightWithAnswer(code, id, fields.at(4));
        break;
    case 4:
        lightControlWithAnswer(code, id);
        break;
    case 12:
        deleteLightWithAnswer(code, id);
        break;
    case 15:
        changeNameWithAnswer(code, id);
        break;
    case 18:
        forceDeleteWithAnswer(code, id);
        break;
    default:
        break;
    }
    if (codeOf(code) == 140)
        ShowAlertManager::instance()->showLabelWithTitle(
            UDPSocketManager::tr("It is too full to add device"));
}

void DeviceReplies::stepAfter(int index)
{
    m_channel->scheduleFollowUp([this, index] { sendOperationQueueRequest(index); });
}

void DeviceReplies::sendOperationQueueRequest(int index)
{
    const QList<QVariantMap> &operations = m_channel->udpOperationArray();
    if (index < 0 || index + 1 >= operations.size())
        return;
    m_channel->sendMessageWithCommandArray(
        operations.at(index + 1).value(Key::sendArray).toStringList());
}

void DeviceReplies::reportEnrolment()
{
    const QString accepted = QString::number(countAccepted(m_channel->udpOperationArray()));
    if (auto *screen = AppDelegate::instance()->topScreenAs<DeviceEnrolmentScreen>())
        screen->panelAddSucceed(accepted);
}

void DeviceReplies::addLightToDeviceWithAnswer(const QString &code, const QString &ligId)
{
    QList<QVariantMap> &operations = m_channel->udpOperationArray();
    const auto entry =
        std::find_if(operations.begin(), operations.end(),
                     [&](const QVariantMap &e) { return idOfInsertDevice(e) == ligId; });
    if (entry == operations.end())
        return;
    const int index = int(entry - operations.begin());
    if (codeOf(code) == 0) {
        entry->insert(Key::haveSend, Value::yes);
        Database *store = Database::instance();
        store->deleteMainDeviceWithMainID(ligId);
        store->insertMainDeviceWithInfo(entry->value(Key::insertDevice).toMap());
    }
    if (index < operations.size() - 1)
        stepAfter(index);
    else
        reportEnrolment();
}

void DeviceReplies::changeNameWithAnswer(const QString &code, const QString &ligId)
{
    Q_UNUSED(code) // a refused name does not stop an enrolment
    const QList<QVariantMap> &operations = m_channel->udpOperationArray();
    const auto entry =
        std::find_if(operations.cbegin(), operations.cend(), [&](const QVariantMap &e) {
            return idOfInsertDevice(e) == ligId && !e.contains(Key::haveSend);
        });
    if (entry == operations.cend())
        return;
    const int index = int(entry - operations.cbegin());
    if (index < operations.size() - 1)
        stepAfter(index);
    else if (operations.size() >= 2) // a rename from a list stored its name already
        reportEnrolment();
}

void DeviceReplies::showControlFailed()
{
    ShowAlertManager::instance()->showLabelWithTitle(
        UDPSocketManager::tr("Control failed"),
        UDPSocketManager::tr("Please check device and network"));
}

void DeviceReplies::lightControlWithAnswer(const QString &code, const QString &ligId)
{
    if (codeOf(code) == 0) {
        for (const QVariantMap &entry : m_channel->udpOperationArray()) {
            if (entry.value(Key::id).toString() == ligId) {
                Database::instance()->updateMainDeviceWithMainID(ligId, entry);
                return;
            }
        }
    }
    showControlFailed();
    m_channel->updateMainController();
}

void DeviceReplies::deleteLightWithAnswer(const QString &code, const QString &ligId)
{
    const QList<QVariantMap> operations = m_channel->udpOperationArray();
    const bool listed =
        std::any_of(operations.cbegin(), operations.cend(),
                    [&](const QVariantMap &e) { return e.value(Key::id).toString() == ligId; });
    Database *store = Database::instance();
    if (codeOf(code) == 0 && listed) {
        // The channel leaves every scenario; a scenario left empty goes.
        for (QVariantMap scenario : store->readAllScenarioInfo()) {
            if (!RecordFactory::isUserScenario(scenario))
                continue;
            const QVariantList members = RecordFactory::sceneDevices(scenario);
            QVariantList kept;
            for (const QVariant &member : members)
                if (member.toMap().value(Key::id).toString() != ligId)
                    kept.append(member);
            if (kept.isEmpty()) {
                store->deleteScenarioWithMainID(scenario.value(Key::mainID).toString());
            } else if (kept.size() != members.size()) {
                scenario.insert(Key::sceneArray, kept);
                store->updateScenarioWithMainID(scenario.value(Key::id).toString(), scenario);
            }
        }
        store->deleteMainDeviceWithMainID(ligId);
        return;
    }

    m_channel->updateMainController();
    if (operations.size() == 1) {
        switch (codeOf(code)) {
        case 141: // the transmitter no longer knows it
            store->deleteMainDeviceWithMainID(operations.constFirst().value(Key::id).toString());
            break;
        case 135:
            askForcedRemoval(QStringLiteral("控制器无应答,可能已损坏或被移除,请确认是否强制删除"));
            return;
        case 137:
            askForcedRemoval(
                QStringLiteral("请检查从无线转发器是否连接正常,如果正常请确认是否强制删除设备"));
            return;
        default:
            break;
        }
    }
    showControlFailed();
}

void DeviceReplies::askForcedRemoval(const QString &message)
{
    AlertPresenter *presenter = ShowAlertManager::instance()->alertPresenter();
    if (!presenter) {
        qCWarning(lcGateway).noquote() << "no one to ask:" << message;
        return;
    }
    presenter->showAlert(message, {kForceRemove, kCancel},
                         [this](int index) { alertViewClickedButtonAtIndex(index); });
}

void DeviceReplies::alertViewClickedButtonAtIndex(int buttonIndex)
{
    const QList<QVariantMap> operations = m_channel->udpOperationArray();
    if (buttonIndex != 0 || operations.size() != 1)
        return;
    const QVariantMap &record = operations.constFirst();
    const QString type = record.value(Key::type).toString();
    if (type != Value::lighting && type != Value::curtain)
        return;
    const QString family =
        type == Value::lighting ? QStringLiteral("lig") : QStringLiteral("curtain");
    m_channel->sendMessageWithCommandArray(
        {QStringLiteral("cfg"), family, record.value(Key::id).toString(), QStringLiteral("18"),
         QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    m_channel->updateMainController();
}

void DeviceReplies::forceDeleteWithAnswer(const QString &code, const QString &ligId)
{
    ShowAlertManager *feedback = ShowAlertManager::instance();
    if (codeOf(code) == 0) {
        Database::instance()->deleteMainDeviceWithMainID(ligId);
        feedback->showLabelWithTitle(UDPSocketManager::tr("Force remove the device successful"));
        return;
    }
    feedback->showLabelWithTitle(UDPSocketManager::tr("Force remove the device failed"));
    m_channel->updateMainController();
}

void DeviceReplies::addOrDeleteLightWithAnswer(const QString &code, const QString &ligId,
                                               const QString &parameter)
{
    Q_UNUSED(parameter) // the entry is found by its command's target
    QList<QVariantMap> &operations = m_channel->udpOperationArray();
    if (operations.isEmpty())
        return;
    const bool closesWithNaming = operations.constLast().value(Key::scenarioControlTypeKey) ==
                                  Value::editDeviceAndNameScenario;
    const auto entry =
        std::find_if(operations.begin(), operations.end(), [&](const QVariantMap &e) {
            const QString kind = e.value(Key::scenarioControlTypeKey).toString();
            return (kind == Value::deleteDeviceFromScenario ||
                    kind == Value::editDeviceFromScenario) &&
                   targetOfSendArray(e) == ligId;
        });
    if (entry == operations.end())
        return;
    const int index = int(entry - operations.begin());
    if (codeOf(code) == 0)
        entry->insert(Key::haveSend, Value::yes);

    const int last = int(operations.size()) - 1;
    if (index < last) {
        stepAfter(index);
        // The naming command goes out next while the membership result applies now.
        if (!(closesWithNaming && index == last - 1))
            return;
    }
    completeScenarioChange();
}

void DeviceReplies::completeScenarioChange()
{
    const QList<QVariantMap> operations = m_channel->udpOperationArray();
    ShowAlertManager *feedback = ShowAlertManager::instance();
    Database *store = Database::instance();
    const QString kind = operations.constFirst().value(Key::scenarioControlTypeKey).toString();

    if (kind == Value::deleteDeviceFromScenario) {
        if (countAccepted(operations) == operations.size()) {
            feedback->showLabelWithTitle(UDPSocketManager::tr("Delete scenario successful"));
            store->deleteScenarioWithMainID(
                operations.constFirst().value(Key::deleteScenarioID).toString());
        } else {
            feedback->showLabelWithTitle(UDPSocketManager::tr("Delete scenario failed"));
            m_channel->updateMainController();
        }
        return;
    }
    if (kind != Value::editDeviceFromScenario)
        return;

    QVariantList accepted;
    QStringList removed; // members an edit took out (operation 14) and the transmitter let go
    for (const QVariantMap &entry : operations) {
        if (entry.value(Key::haveSend).toString() != Value::yes)
            continue;
        if (entry.value(Key::needCheck).toString() == Value::yes)
            accepted.append(entry.value(Key::insertDevice));
        else if (entry.value(Key::sendArray).toStringList().value(3) == QLatin1String("14"))
            removed.append(targetOfSendArray(entry));
    }
    if (accepted.isEmpty() && removed.isEmpty()) {
        feedback->showLabelWithTitle(UDPSocketManager::tr("Setting scenario failed"));
        return;
    }
    feedback->showLabelWithTitle(UDPSocketManager::tr("Setting scenario successful"));
    // The naming screen closes. A scenario's goes back to the scenario list
    // (popping only it would leave the selection screen on top, and the naming
    // acknowledgement, which looks for the naming screen, would not return).
    AppDelegate *app = AppDelegate::instance();
    if (app->topScreenAs<NamingScreen>()) {
        ScreenStack *stack = app->navigationController();
        Screen *list = nullptr;
        for (Screen *screen : stack->screens())
            if (!list && dynamic_cast<ScenarioListScreen *>(screen))
                list = screen;
        if (list && app->topScreenAs<ScenarioNamingScreen>())
            stack->popToScreen(list, true);
        else
            stack->popScreen(true);
    }

    QVariantMap scenario = operations.constLast().value(Key::insertScenario).toMap();
    std::optional<QVariantMap> stored =
        store->scenarioRecordWithMainID(scenario.value(Key::mainID).toString());
    if (!stored) {
        if (!accepted.isEmpty()) {
            scenario.insert(Key::sceneArray, accepted);
            store->insertScenarioWithInfo(scenario);
        }
        return;
    }
    QVariantList members = RecordFactory::sceneDevices(*stored);
    members.removeIf([&removed](const QVariant &m) {
        return removed.contains(m.toMap().value(Key::id).toString());
    });
    for (const QVariant &device : accepted) {
        const QVariantMap record = device.toMap();
        const auto same = std::find_if(members.begin(), members.end(), [&](const QVariant &m) {
            return m.toMap().value(Key::id) == record.value(Key::id);
        });
        if (same == members.end()) {
            members.append(record);
        } else {
            QVariantMap member = same->toMap();
            member.insert(Key::turnOn, record.value(Key::turnOn));
            *same = member;
        }
    }
    stored->insert(Key::sceneArray, members);
    store->updateScenarioWithMainID(stored->value(Key::id).toString(), *stored);
}

void DeviceReplies::getLightingStateWithServerInfo(const QString &info)
{
    const QStringList fields = info.split(QLatin1Char(','));
    if (fields.size() < 7)
        return;
    const int code = codeOf(fields.at(6).chopped(qMin<qsizetype>(2, fields.at(6).size())));
    const QString &id = fields.at(2);
    const QList<QVariantMap> &operations = m_channel->udpOperationArray();
    const auto entry =
        std::find_if(operations.cbegin(), operations.cend(),
                     [&](const QVariantMap &e) { return targetOfSendArray(e) == id; });
    if (entry == operations.cend())
        return;
    const int index = int(entry - operations.cbegin());
    const bool last = index == operations.size() - 1;

    Database *store = Database::instance();
    std::optional<QVariantMap> device =
        code == 0 ? JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID(id))
                  : std::nullopt;
    if (device) {
        const int state = TextNumber::integerValue(fields.at(4));
        switch (id.size() > 2 ? id.at(2).unicode() : 0) {
        case '3':
            device->insert(Key::turnOn, UIDeviceCalculation::curtainValue(fields.at(4)) == 100
                                            ? Value::yes
                                            : Value::no);
            break;
        case '2':
            if (state == 0)
                device->insert(Key::turnOn, QStringLiteral("0"));
            else if (state == 1)
                device->insert(Key::turnOn,
                               QString::number(TextNumber::integerValue(fields.at(5))));
            break;
        case '1':
            if (state == 0 || state == 1)
                device->insert(Key::turnOn, state == 1 ? Value::yes : Value::no);
            break;
        default:
            break;
        }
        store->updateMainDeviceWithMainID(device->value(Key::id).toString(), *device);
    }
    if (!last)
        stepAfter(index);
    else
        m_channel->updateMainController();
}
