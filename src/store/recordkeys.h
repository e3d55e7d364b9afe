// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The keys of the record dictionaries and of the working dictionaries, and
// the fixed texts they hold. Every piece of code uses these, never a retyped text.
namespace Key {
inline const QString id = QStringLiteral("id");
inline const QString type = QStringLiteral("type");
inline const QString title = QStringLiteral("title");
inline const QString imageName = QStringLiteral("imageName");
inline const QString address = QStringLiteral("address");
inline const QString command = QStringLiteral("command");
inline const QString control = QStringLiteral("control");
inline const QString mainTotalID = QStringLiteral("mainTotalID");
inline const QString showTitle = QStringLiteral("showTitle");
inline const QString turnOn = QStringLiteral("turnOn");
inline const QString move = QStringLiteral("move");
inline const QString controlTimes = QStringLiteral("controlTimes");
inline const QString mainID = QStringLiteral("mainID");
inline const QString function = QStringLiteral("function");
inline const QString imagePath = QStringLiteral("imagePath");
inline const QString state = QStringLiteral("state");
inline const QString sceneArray = QStringLiteral("sceneArray");
// Operation entries of multi-step flows.
inline const QString sendArray = QStringLiteral("sendArray");
inline const QString needCheck = QStringLiteral("needCheck");
inline const QString haveSend = QStringLiteral("haveSend");
inline const QString insertDevice = QStringLiteral("insertDevice");
inline const QString insertScenario = QStringLiteral("insertScenario");
inline const QString deleteScenarioID = QStringLiteral("deleteScenarioID");
inline const QString scenarioControlTypeKey = QStringLiteral("scenarioControlTypeKey");
inline const QString enrolTransmitter = QStringLiteral("enrolTransmitter");
inline const QString backgroundQuery = QStringLiteral("backgroundQuery");
} // namespace Key

namespace Value {
inline const QString yes = QStringLiteral("YES");
inline const QString no = QStringLiteral("NO");
inline const QString superBox = QStringLiteral("SuperBox");
inline const QString lighting = QStringLiteral("Lighting");
inline const QString curtain = QStringLiteral("Curtain");
inline const QString master = QStringLiteral("master");
inline const QString slave = QStringLiteral("slave");
inline const QString switching = QStringLiteral("S");
inline const QString dimming = QStringLiteral("D");
inline const QString curtainControl = QStringLiteral("C");
inline const QString allOnFunction = QStringLiteral("EcoModeFunction");
inline const QString allOffFunction = QStringLiteral("SleepingModeFunction");
inline const QString customFunction = QStringLiteral("CustomModeFunction");
inline const QString allDevicesOn = QStringLiteral("ALLDEVICEON");
inline const QString allDevicesOff = QStringLiteral("ALLDEVICEOFF");
inline const QString allOnMainID = QStringLiteral("-1");
inline const QString allOffMainID = QStringLiteral("-2");
inline const QString allOnImage = QStringLiteral("icon_choose_small_1.png");
inline const QString allOffImage = QStringLiteral("icon_choose_small_0.png");
inline const QString importedScenarioImage = QStringLiteral("icon_choose_small_8.png");
inline const QString editDeviceFromScenario = QStringLiteral("editDeviceFromScenario");
inline const QString deleteDeviceFromScenario = QStringLiteral("deleteDeviceFromScenario");
inline const QString editDeviceAndNameScenario = QStringLiteral("editDeviceAndNameScenario");
} // namespace Value
