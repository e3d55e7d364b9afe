// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpagetexts.h"

#include "base/compactjson.h"

#include "base/productinfo.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <memory>

// The translation tables ride in the program (a static library's resource).
static void initialiseWebTranslations()
{
    Q_INIT_RESOURCE(web_i18n);
}

namespace {
struct Text {
    const char *key;
    const char *context;
    const char *source;
};

const char *const kPhotoTooLarge = QT_TRANSLATE_NOOP("WebRemote", "The photo is larger than 8 MB.");

// Shared texts name the app's context, so that both say the same.
const Text kTexts[] = {
    {"connecting", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Connecting…")},
    {"rooms", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Rooms of the home")},
    {"lighting", "HomeFunctionTile", QT_TRANSLATE_NOOP("HomeFunctionTile", "Lighting")},
    {"curtain", "HomeFunctionTile", QT_TRANSLATE_NOOP("HomeFunctionTile", "Curtain")},
    {"scenario", "HomeFunctionTile", QT_TRANSLATE_NOOP("HomeFunctionTile", "Scenario")},
    // The titles of the app's lighting, curtain and scenario screens.
    {"lightingTitle", "LightingViewController",
     QT_TRANSLATE_NOOP("LightingViewController", "Lighting")},
    {"curtainTitle", "CurtainViewController",
     QT_TRANSLATE_NOOP("CurtainViewController", "Curtain")},
    {"scenarioTitle", "SceneViewController", QT_TRANSLATE_NOOP("SceneViewController", "Scenario")},
    {"sync", "HomeMenuView", QT_TRANSLATE_NOOP("HomeMenuView", "Synchronize Data")},
    {"deviceManagement", "HomeMenuView", QT_TRANSLATE_NOOP("HomeMenuView", "Device Management")},
    {"systemSetting", "HomeMenuView", QT_TRANSLATE_NOOP("HomeMenuView", "System Setting")},
    {"on", "LightStateText", QT_TRANSLATE_NOOP("LightStateText", "ON")},
    {"off", "LightStateText", QT_TRANSLATE_NOOP("LightStateText", "OFF")},
    {"unknown", "LightStateText", QT_TRANSLATE_NOOP("LightStateText", "Unknown")},
    {"opened", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Opened")},
    {"closed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Closed")},
    {"open", "CurtainViewController", QT_TRANSLATE_NOOP("CurtainViewController", "Open")},
    {"stop", "CurtainViewController", QT_TRANSLATE_NOOP("CurtainViewController", "Stop")},
    {"close", "CurtainViewController", QT_TRANSLATE_NOOP("CurtainViewController", "Close")},
    {"openNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Open %1")},
    {"stopNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Stop %1")},
    {"closeNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Close %1")},
    {"turnOnNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Turn on %1")},
    {"turnOffNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Turn off %1")},
    {"brightnessNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "%1 brightness")},
    {"less", "VtSimpleSlider", QT_TRANSLATE_NOOP("VtSimpleSlider", "Less")},
    {"more", "VtSimpleSlider", QT_TRANSLATE_NOOP("VtSimpleSlider", "More")},
    {"answered", "LinkStatusText", QT_TRANSLATE_NOOP("LinkStatusText", "answered %1")},
    {"secondsAgo", "LinkStatusText", QT_TRANSLATE_NOOP("LinkStatusText", "%1 s ago")},
    {"minutesAgo", "LinkStatusText", QT_TRANSLATE_NOOP("LinkStatusText", "%1 min ago")},
    {"hoursAgo", "LinkStatusText", QT_TRANSLATE_NOOP("LinkStatusText", "%1 h ago")},
    {"notAnswering", "LinkStatusText", QT_TRANSLATE_NOOP("LinkStatusText", "not answering")},
    {"waiting", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "waiting for the master")},
    {"disconnected", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "not connected")},
    {"connectionFailed", "ShowAlertManager",
     QT_TRANSLATE_NOOP("ShowAlertManager", "Network connection failed")},
    {"connectionBack", "ShowAlertManager",
     QT_TRANSLATE_NOOP("ShowAlertManager", "Connection successful")},
    {"notConnected", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Not connected to the home.")},
    {"controlFailed", "ShowAlertManager", QT_TRANSLATE_NOOP("ShowAlertManager", "Control failed")},
    {"checkDevice", "ShowAlertManager",
     QT_TRANSLATE_NOOP("ShowAlertManager", "Please check device and network")},
    {"refused", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "The home did not take the command.")},
    {"synced", "TCPSocketManager",
     QT_TRANSLATE_NOOP("TCPSocketManager", "Synchronous data successful")},
    {"syncFailed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Synchronize Data failed.")},
    {"storeUnreadable", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "The home's data cannot be read just now. Trying again…")},
    {"noDevices", "DeviceTableViewController",
     QT_TRANSLATE_NOOP("DeviceTableViewController", "No devices are added yet")},
    {"tryToAdd", "DeviceTableViewController",
     QT_TRANSLATE_NOOP("DeviceTableViewController", "Try to add a device")},
    {"allOn", "RecordFactory", QT_TRANSLATE_NOOP("RecordFactory", "All On Mode")},
    {"allOff", "RecordFactory", QT_TRANSLATE_NOOP("RecordFactory", "All Off Mode")},
    {"deviceList", "DeviceListViewController",
     QT_TRANSLATE_NOOP("DeviceListViewController", "Device List")},
    {"transmitter", "DeviceListViewController",
     QT_TRANSLATE_NOOP("DeviceListViewController", "Transmitter")},
    {"removeMaster", "DeviceListViewController",
     QT_TRANSLATE_NOOP("DeviceListViewController",
                       "Remove the master transmitter? Every command goes through it. Lights, "
                       "curtains and scenarios cannot be reached until a master is enrolled "
                       "again.")},
    {"cancel", "DeviceListViewController", QT_TRANSLATE_NOOP("DeviceListViewController", "Cancel")},
    {"remove", "DeviceListViewController", QT_TRANSLATE_NOOP("DeviceListViewController", "Remove")},
    {"edit", "VtMoveCell", QT_TRANSLATE_NOOP("VtMoveCell", "Edit")},
    {"delete", "VtMoveCell", QT_TRANSLATE_NOOP("VtMoveCell", "Delete")},
    {"deviceDetail", "DeviceDetailViewController",
     QT_TRANSLATE_NOOP("DeviceDetailViewController", "Device Detail")},
    {"idLabel", "DeviceDetailViewController",
     QT_TRANSLATE_NOOP("DeviceDetailViewController", "ID")},
    {"nameLabel", "DeviceDetailViewController",
     QT_TRANSLATE_NOOP("DeviceDetailViewController", "Name")},
    {"changeName", "EditNameViewController",
     QT_TRANSLATE_NOOP("EditNameViewController", "Change Name")},
    {"nameEmpty", "EditNameViewController",
     QT_TRANSLATE_NOOP("EditNameViewController", "Please input name")},
    {"nameTooLong", "ParentPresentViewController",
     QT_TRANSLATE_NOOP("ParentPresentViewController", "Maximum 20 bytes")},
    {"done", "DeviceAddViewController", QT_TRANSLATE_NOOP("DeviceAddViewController", "Done")},
    {"back", "ParentViewController", QT_TRANSLATE_NOOP("ParentViewController", "Back")},
    {"nameUnsendable", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "A name cannot hold \",\", \"\\n\" or line breaks.")},
    {"ownerOnly", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Only the owner's devices can do this. This device is a "
                                    "family member's.")},
    {"noDevice", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "This device is not in the home.")},
    {"noQuestion", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "This question has been answered already.")},
    {"addScenario", "SceneViewController",
     QT_TRANSLATE_NOOP("SceneViewController", "Add Scenario")},
    {"selectDevices", "ChooseControlViewController",
     QT_TRANSLATE_NOOP("ChooseControlViewController", "Select Devices")},
    {"includeNamed", "ChooseControlViewController",
     QT_TRANSLATE_NOOP("ChooseControlViewController", "Include %1")},
    {"chosenDevices", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Chosen devices")},
    {"noMembers", "ChooseControlViewController",
     QT_TRANSLATE_NOOP("ChooseControlViewController", "Please select device")},
    {"chooseIcon", "EditNameHCViewController",
     QT_TRANSLATE_NOOP("EditNameHCViewController", "Choose Icon")},
    {"iconNamed", "VtImageLibSheet", QT_TRANSLATE_NOOP("VtImageLibSheet", "Icon %1")},
    {"maxScenarios", "CheckManager", QT_TRANSLATE_NOOP("CheckManager", "Maximum 8 scenarios")},
    {"settingName", "EditNameViewController",
     QT_TRANSLATE_NOOP("EditNameViewController", "Setting Name")},
    {"deleteFailed", "UDPSocketManager",
     QT_TRANSLATE_NOOP("UDPSocketManager", "Delete scenario failed")},
    {"noScenario", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "This scenario is not in the home.")},
    {"badMember", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "A chosen device cannot keep that state in a scenario.")},
    {"badPicture", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Choose one of the pictures.")},
    {"busy", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "The home is busy with another change. Try again shortly.")},
    {"tooFast", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "This device sent too many commands at once. Wait a moment "
                                    "and try again.")},
    {"changedElsewhere", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "This scenario was just changed on another device. It is "
                                    "shown as it is now: make your change again.")},
    {"scan", "VtScanViewController", QT_TRANSLATE_NOOP("VtScanViewController", "Scan")},
    {"scanHint", "VtScanViewController",
     QT_TRANSLATE_NOOP("VtScanViewController", "Please scan the barcode of the equipment")},
    {"scanTransmitterFirst", "VtScanViewController",
     QT_TRANSLATE_NOOP("VtScanViewController", "Please scan the transmitter first")},
    {"scanDevice", "VtScanViewController",
     QT_TRANSLATE_NOOP("VtScanViewController", "Please scan the Device")},
    {"manualInput", "VtScanViewController",
     QT_TRANSLATE_NOOP("VtScanViewController", "Manual Input")},
    {"inputId", "VtScanViewController",
     QT_TRANSLATE_NOOP("VtScanViewController", "Please input the device ID")},
    {"scannedDevice", "DeviceAddViewController",
     QT_TRANSLATE_NOOP("DeviceAddViewController", "Scanned Device")},
    {"connect", "DeviceAddViewController", QT_TRANSLATE_NOOP("DeviceAddViewController", "Connect")},
    {"connected", "DeviceAddViewController",
     QT_TRANSLATE_NOOP("DeviceAddViewController", "Connection successful")},
    {"addMore", "DeviceAddViewController",
     QT_TRANSLATE_NOOP("DeviceAddViewController", "Add More")},
    {"added", "DeviceAddViewController", QT_TRANSLATE_NOOP("DeviceAddViewController", "Added")},
    {"deviceWord", "DeviceAddViewController",
     QT_TRANSLATE_NOOP("DeviceAddViewController", "Device")},
    {"retry", "DeviceAddViewController", QT_TRANSLATE_NOOP("DeviceAddViewController", "Retry")},
    {"deviceAdded", "DeviceAddViewController",
     QT_TRANSLATE_NOOP("DeviceAddViewController", "This device has been added")},
    {"scanLive", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Scan with the camera")},
    // The app's welcome pages.
    {"welcomeDetail1", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView", "为您量身定做的智能家居管家")},
    {"welcomeTitle2", "VtWelcomeView", QT_TRANSLATE_NOOP("VtWelcomeView", "全新界面")},
    {"welcomeDetail2", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView",
                       "活泼温馨的界面设计和有趣的操作体验,为您的家居生活增添乐趣")},
    {"welcomeTitle3", "VtWelcomeView", QT_TRANSLATE_NOOP("VtWelcomeView", "扫一扫添加")},
    {"welcomeDetail3", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView", "用手机扫描二维码,您可以快捷地添加设备")},
    {"welcomeTitle4", "VtWelcomeView", QT_TRANSLATE_NOOP("VtWelcomeView", "灯光控制")},
    {"welcomeDetail4", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView",
                       "您可以用手机控制和调节家里所有的灯光,为您的家创造完美的氛围")},
    {"welcomeTitle5", "VtWelcomeView", QT_TRANSLATE_NOOP("VtWelcomeView", "窗帘控制")},
    {"welcomeDetail5", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView",
                       "您可以在家里任何地方用手机开关窗帘,让更多的阳光照耀您的家")},
    {"welcomeTitle6", "VtWelcomeView", QT_TRANSLATE_NOOP("VtWelcomeView", "场景一键操控")},
    {"welcomeDetail6", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView", "您可以为家里的灯光和窗帘设置场景,并随时随地进行控制")},
    {"welcomeTitle7", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView", "现在\n开启您的智能家居之旅吧")},
    {"welcomeReminder", "VtWelcomeView",
     QT_TRANSLATE_NOOP("VtWelcomeView", "请将无线转发器通电并联网")},
    {"welcomeStart", "VtWelcomeView", QT_TRANSLATE_NOOP("VtWelcomeView", "立即体验")},
    {"scanOpen", "VtScanViewController", QT_TRANSLATE_NOOP("VtScanViewController", "Open")},
    {"flashlight", "VtScanViewController", QT_TRANSLATE_NOOP("VtScanViewController", "Flashlight")},
    {"alignCode", "VtScanViewController",
     QT_TRANSLATE_NOOP("VtScanViewController", "Align the QR code within the frame")},
    {"cameraFailed", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "The camera could not be opened.")},
    {"scannedTransmitter", "SuperBoxAddViewController",
     QT_TRANSLATE_NOOP("SuperBoxAddViewController", "Scanned Transmitter")},
    {"transmitterAdded", "SuperBoxAddViewController",
     QT_TRANSLATE_NOOP("SuperBoxAddViewController", "This Transmitter has been added")},
    {"networkFailed", "SuperBoxAddViewController",
     QT_TRANSLATE_NOOP("SuperBoxAddViewController", "Network connection failed")},
    {"next", "ChooseControlViewController",
     QT_TRANSLATE_NOOP("ChooseControlViewController", "Next")},
    {"notDecoded", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Scan the device's code first.")},
    {"takePhoto", "EditNameHCViewController",
     QT_TRANSLATE_NOOP("EditNameHCViewController", "Take Photo")},
    {"all", "HomeScenarioStrip", QT_TRANSLATE_NOOP("HomeScenarioStrip", "All")},
    {"commonlyUsed", "HomeScenarioStrip",
     QT_TRANSLATE_NOOP("HomeScenarioStrip", "Commonly used scenarios")},
    {"runNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Run %1")},
    {"dragDown", "HomeFunctionTile",
     QT_TRANSLATE_NOOP("HomeFunctionTile", "Drag down to open the hidden panel")},
    {"quickControl", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Quick control")},
    {"enable", "VtHomeControlSheet", QT_TRANSLATE_NOOP("VtHomeControlSheet", "Enable")},
    {"choosePhoto", "EditNameHCViewController",
     QT_TRANSLATE_NOOP("EditNameHCViewController", "Choose Photo")},
    {"pictureNotSaved", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "The photo could not be saved.")},
    {"photoTooLarge", "WebRemote", kPhotoTooLarge},
    {"tooLarge", "WebRemote", kPhotoTooLarge}, // the bridge's word, before reading it
    {"uploadBusy", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Other photos are being sent. Try again in a moment.")},
    {"notAnImage", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Only a JPEG, PNG or WebP photo can be read.")},
    {"noCode", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "No code could be read in the photo.")},
    {"help", "HomeMenuView", QT_TRANSLATE_NOOP("HomeMenuView", "Help")},
    {"inputIdEmpty", "HomeDetailViewController",
     QT_TRANSLATE_NOOP("HomeDetailViewController", "Please input ID")},
    {"reminder", "ScannedViewController", QT_TRANSLATE_NOOP("ScannedViewController", "Reminder")},
    {"powerOn", "ScannedViewController",
     QT_TRANSLATE_NOOP("ScannedViewController", "Please power on device before connect")},
    {"removeNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Remove \"%1\" from the home?")},
    {"actionsNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Edit or delete %1")},
    {"backups", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Backups")},
    {"backupsHint", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote",
                       "The bridge backs the home up every night and before a synchronization that "
                       "removes devices. Keep a copy off this computer: download one.")},
    {"backUpNow", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Back up now")},
    {"restoreFromFile", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Restore from a file")},
    {"restore", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Restore")},
    {"restoreQuestion", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote",
                       "Restore the home from %1? Its devices, names, scenarios and paired phones "
                       "replace the ones here; the home as it is now is kept as a backup.")},
    {"restoring", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Restoring the home…")},
    {"restored", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "The home was restored. The bridge starts again on it.")},
    {"restoreRefused", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "This backup cannot be restored")},
    {"backupTooLarge", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote",
                       "The backup is larger than 8 MB: restore it with ardentia-ctl restore.")},
    {"backupFailed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "The backup could not be made.")},
    {"backupMade", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Backup made")},
    {"noBackups", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "No backups yet")},
    {"download", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Download")},
    {"downloadNamed", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Download the backup of %1")},
    {"kilobytes", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "%1 KB")},
    {"megabytes", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "%1 MB")},
    {"schedules", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Schedules")},
    {"addSchedule", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Add schedule")},
    {"editSchedule", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Change schedule")},
    {"noSchedules", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "No schedules yet")},
    {"scheduleAction", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "What it does")},
    {"actionScenario", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Run a scenario")},
    {"actionSwitch", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Switch a light on or off")},
    {"actionDim", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Set a dimmer's level")},
    {"actionCurtain", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Open, close or stop a curtain")},
    {"switchTo", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Switch to")},
    {"levelPercent", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Level (0 to 100 %)")},
    {"scheduleDevice", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Device")},
    {"scheduleWhen", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "When")},
    {"timeClock", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "At a time of day")},
    {"timeSunrise", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "At sunrise")},
    {"timeSunset", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "At sunset")},
    {"timeOnce", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Once, on a date")},
    {"dateLabel", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Date")},
    {"timeLabel", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Time")},
    {"offsetLabel", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Minutes after (+) or before (-), up to 180")},
    {"daysLabel", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Days")},
    // The days as the app's schedule list writes them, Monday first.
    {"day1", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Mon")},
    {"day2", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Tue")},
    {"day3", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Wed")},
    {"day4", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Thu")},
    {"day5", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Fri")},
    {"day6", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Sat")},
    {"day7", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Sun")},
    {"locationTitle", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "The home's location")},
    {"locationHint", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Sunrise and sunset are reckoned from where the home is.")},
    {"latitudeLabel", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Latitude in degrees (north +, south -)")},
    {"longitudeLabel", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Longitude in degrees (east +, west -)")},
    {"latitudeRule", "ScheduleProblem",
     QT_TRANSLATE_NOOP("ScheduleProblem",
                       "The latitude must be from -90 (south) to 90 (north) degrees.")},
    {"longitudeRule", "ScheduleProblem",
     QT_TRANSLATE_NOOP("ScheduleProblem",
                       "The longitude must be from -180 (west) to 180 (east) degrees.")},
    {"locationIs", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "The home's location: %1, %2")},
    {"locationNotSet", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "The home's location is not set.")},
    {"deleteScheduleQuestion", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Delete the schedule \"%1\"?")},
    // A schedule's state, as the app's schedule list shows it.
    {"scheduleOn", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "On")},
    {"scheduleOff", "ScheduleWords", QT_TRANSLATE_NOOP("ScheduleWords", "Off")},
    {"scheduleSaved", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Schedule saved")},
    {"scheduleDeleted", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Schedule deleted")},
    {"cleanAll", "HomeMenuView", QT_TRANSLATE_NOOP("HomeMenuView", "Clean All")},
    {"about", "AboutUSViewController", QT_TRANSLATE_NOOP("AboutUSViewController", "About")},
    {"aboutMotto", "AboutUSViewController",
     QT_TRANSLATE_NOOP("AboutUSViewController", "畅享智能生活")},
    {"aboutLegal", "AboutUSViewController",
     QT_TRANSLATE_NOOP("AboutUSViewController",
                       "© 2026 The Ardentia Home developers. All rights reserved.")},
    {"technicalSupport", "AboutUSViewController",
     QT_TRANSLATE_NOOP("AboutUSViewController", "Technical Support")},
    {"appVersion", "AboutUSViewController",
     QT_TRANSLATE_NOOP("AboutUSViewController", "App Version")},
    {"notPairedTitle", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Not paired")},
    {"notPaired", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "Pair this device first: on the home's computer run "
                                    "\"ardentia-ctl web-pair\" and open the link it shows.")},
    {"linkInvalidTitle", "WebRemote", QT_TRANSLATE_NOOP("WebRemote", "Link not valid")},
    {"linkInvalid", "WebRemote",
     QT_TRANSLATE_NOOP("WebRemote", "This pairing link was used already or has expired. Run "
                                    "\"ardentia-ctl web-pair\" again for a new one.")},
};

const QTranslator *translatorFor(const QString &language)
{
    static QHash<QString, std::shared_ptr<QTranslator>> loaded;
    if (!loaded.contains(language)) {
        initialiseWebTranslations();
        auto translator = std::make_shared<QTranslator>();
        if (!translator->load(QStringLiteral(":/web-i18n/ardentia_%1.qm").arg(language)))
            translator.reset();
        loaded.insert(language, translator);
    }
    return loaded.value(language).get();
}

QString escapedForHtml(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}
} // namespace

QString WebPageTexts::languageFor(const QByteArray &acceptLanguage)
{
    struct Choice {
        QString tag;
        double weight;
    };
    QList<Choice> choices;
    for (const QByteArray &item : acceptLanguage.split(',')) {
        const QList<QByteArray> parts = item.split(';');
        double weight = 1.0;
        for (const QByteArray &parameter : parts.mid(1))
            if (parameter.trimmed().startsWith("q="))
                weight = parameter.trimmed().mid(2).toDouble();
        choices.append({QString::fromLatin1(parts.constFirst().trimmed()).toLower(), weight});
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const Choice &a, const Choice &b) { return a.weight > b.weight; });
    for (const Choice &choice : std::as_const(choices)) {
        if (choice.weight <= 0)
            continue;
        const QString primary = choice.tag.section(QLatin1Char('-'), 0, 0);
        if (primary == QLatin1String("zh"))
            return QStringLiteral("zh_CN");
        if (primary == QLatin1String("en"))
            return QStringLiteral("en");
    }
    return QStringLiteral("en");
}

QJsonObject WebPageTexts::texts(const QString &language)
{
    const QTranslator *translator = translatorFor(language);
    QJsonObject texts;
    for (const Text &text : kTexts) {
        const QString translated =
            translator ? translator->translate(text.context, text.source) : QString();
        texts.insert(QLatin1String(text.key),
                     translated.isEmpty() ? QString::fromUtf8(text.source) : translated);
    }
    // The about view's lines, as the app joins them.
    const auto joined = [&texts](const char *key, const QString &value) {
        return QStringLiteral("%1:%2").arg(texts.value(QLatin1String(key)).toString(), value);
    };
    texts.insert(QStringLiteral("supportLine"),
                 joined("technicalSupport", ProductInfo::supportNumber));
    texts.insert(QStringLiteral("versionLine"),
                 joined("appVersion", QStringLiteral(ARDENTIA_VERSION)));
    return texts;
}

QString WebPageTexts::text(const char *key, const QString &language)
{
    for (const Text &text : kTexts)
        if (qstrcmp(text.key, key) == 0)
            return translated(text.context, QString::fromUtf8(text.source), language);
    return {};
}

QString WebPageTexts::translated(const char *context, const QString &source,
                                 const QString &language)
{
    const QTranslator *translator = translatorFor(language);
    const QString text =
        translator ? translator->translate(context, source.toUtf8().constData()) : QString();
    return text.isEmpty() ? source : text;
}

std::function<QString(const char *)> WebPageTexts::wordsOf(const char *context,
                                                           const QString &language)
{
    return [context, language](const char *source) {
        return translated(context, QString::fromUtf8(source), language);
    };
}

QString WebPageTexts::toastText(const QString &english, const QString &language)
{
    // The contexts whose texts the flows' toasts are.
    static const char *const kToastContexts[] = {"UDPSocketManager", "TCPSocketManager",
                                                 "ShowAlertManager", "CodeDecoder"};
    for (const char *context : kToastContexts) {
        const QString text = translated(context, english, language);
        if (text != english)
            return text;
    }
    return english;
}

QByteArray WebPageTexts::render(const QByteArray &html, const QString &language)
{
    const QJsonObject all = texts(language);
    QString page = QString::fromUtf8(html);
    page.replace(QLatin1String("{{lang}}"), QString(language).replace(QLatin1Char('_'), '-'));
    page.replace(QLatin1String("{{texts}}"), escapedForHtml(QString::fromUtf8(compactJsonOf(all))));
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{(\\w+)\\}\\}"));
    QString filled;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(page)) {
        filled += page.mid(from, match.capturedStart() - from);
        filled += escapedForHtml(all.value(match.captured(1)).toString(match.captured(0)));
        from = match.capturedEnd();
    }
    filled += page.mid(from);
    return filled.toUtf8();
}
