#include "checkmanager.h"

#include "../core/appdelegate.h"
#include "../core/scannerscreen.h"
#include "../core/showalertmanager.h"
#include "../core/transmitterenrolmentscreen.h"
#include "../gateway/controllercommands.h"
#include "../gateway/scenariocommands.h"
#include "../gateway/udpsocketmanager.h"
#include "database.h"
#include "jsoncodec.h"
#include "recordfactory.h"
#include "recordkeys.h"

namespace {
// All lights on or off: switched lights by their "YES"/"NO", dimmers to a level.
void switchAllStoredLights(bool on)
{
    Database *store = Database::instance();
    for (QVariantMap light :
         store->readAllMainDeviceInfo(QVariantMap{{Key::type, Value::lighting}})) {
        const QString turnOn = light.value(Key::turnOn).toString();
        const bool switched = turnOn == Value::yes || turnOn == Value::no;
        light.insert(Key::move, Value::no);
        light.insert(Key::turnOn, switched ? (on ? Value::yes : Value::no)
                                           : (on ? QStringLiteral("10") : QStringLiteral("0")));
        store->updateMainDeviceWithMainID(light.value(Key::id).toString(), light);
    }
}

void applyScenarioStates(const QVariantMap &scenario)
{
    Database *store = Database::instance();
    for (const QVariant &member : RecordFactory::sceneDevices(scenario)) {
        const QVariantMap entry = member.toMap();
        const QString id = entry.value(Key::id).toString();
        std::optional<QVariantMap> device =
            JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID(id));
        if (!device)
            continue;
        device->insert(Key::turnOn, entry.value(Key::turnOn));
        store->updateMainDeviceWithMainID(id, *device);
    }
}
} // namespace

QStringList CheckManager::runCommandFor(const QVariantMap &scenario)
{
    const QString function = scenario.value(Key::function).toString();
    if (function == Value::allOnFunction || function == Value::allOffFunction)
        return ControllerCommands::switchAllLights(function == Value::allOnFunction);
    if (function == Value::customFunction)
        return ScenarioCommands::run(scenario.value(Key::mainID).toString());
    return {};
}

void CheckManager::changeScenarioWithDictionary(QVariantMap &scenario,
                                                QList<QVariantMap> &needArray)
{
    Database *store = Database::instance();
    for (QVariantMap &other : needArray) {
        if (other.value(Key::state).toString() != Value::yes)
            continue;
        other.insert(Key::state, Value::no);
        store->updateScenarioWithMainID(other.value(Key::id).toString(), other);
    }
    scenario.insert(Key::state, Value::yes);
    store->updateScenarioWithMainID(scenario.value(Key::id).toString(), scenario);

    const QStringList command = runCommandFor(scenario);
    if (command.isEmpty())
        return;
    UDPSocketManager::instance()->sendMessageWithCommandArray(command);
    // The store follows at once, before any reply; curtains stay as they are.
    const QString function = scenario.value(Key::function).toString();
    if (function == Value::customFunction)
        applyScenarioStates(scenario);
    else
        switchAllStoredLights(function == Value::allOnFunction);
}

void CheckManager::addScenario()
{
    if (Database::instance()->readAllScenarioInfo().size() >= kMaxScenarioRecords) {
        ShowAlertManager::instance()->showLabelWithTitle(tr("Maximum 8 scenarios"));
        return;
    }
    if (!checkIfHaveGotSuperBox() || !checkIfHaveGotDeviceWithControl(std::nullopt))
        return;
    if (Navigator *navigator = AppDelegate::instance()->navigator())
        navigator->pushDeviceSelection();
}

bool CheckManager::checkIfHaveGotSuperBox()
{
    if (!Database::instance()->readAllSuperBoxInfo().isEmpty())
        return true;
    if (!AppDelegate::instance()->topScreenAs<TransmitterEnrolmentScreen>())
        setUpScanControllerWithType(Value::superBox);
    return false;
}

bool CheckManager::checkIfHaveGotDeviceWithControl(const std::optional<QString> &type)
{
    std::optional<QVariantMap> filter;
    if (type)
        filter = QVariantMap{{Key::type, *type}};
    if (!Database::instance()->readAllMainDeviceInfo(filter).isEmpty())
        return true;
    setUpScanControllerWithType(type);
    return false;
}

void CheckManager::setUpScanControllerWithType(const std::optional<QString> &scanType)
{
    AppDelegate *app = AppDelegate::instance();
    if (auto *scanner = app->topScreenAs<ScannerScreen>())
        scanner->setScanType(scanType);
    else if (Navigator *navigator = app->navigator())
        navigator->pushScanner();
}

void CheckManager::turnBackLed()
{
    TorchControl *torch = AppDelegate::instance()->torch();
    if (torch && torch->hasTorch())
        torch->setTorchOn(!torch->isTorchOn());
}
