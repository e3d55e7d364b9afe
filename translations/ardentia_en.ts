<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AboutUSViewController</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>畅享智能生活</source>
        <translation>Enjoy smart living</translation>
    </message>
    <message>
        <source>© 2026 The Ardentia Home developers. All rights reserved.</source>
        <translation>© 2026 The Ardentia Home developers. All rights reserved.</translation>
    </message>
    <message>
        <source>Technical Support</source>
        <translation>Technical Support</translation>
    </message>
    <message>
        <source>App Version</source>
        <translation>App Version</translation>
    </message>
</context>
<context>
    <name>CheckManager</name>
    <message>
        <source>Maximum 8 scenarios</source>
        <translation>Maximum 8 scenarios</translation>
    </message>
</context>
<context>
    <name>ChooseControlViewController</name>
    <message>
        <source>Select Devices</source>
        <translation>Select Devices</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Please select device</source>
        <translation>Please select device</translation>
    </message>
    <message>
        <source>Include %1</source>
        <translation>Include %1</translation>
    </message>
</context>
<context>
    <name>CodeDecoder</name>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Wireless Transmitter</source>
        <translation>Wireless Transmitter</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>Curtain</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message>
        <source> Controller</source>
        <translation> Controller</translation>
    </message>
    <message>
        <source>Groups:</source>
        <translation>Groups:</translation>
    </message>
    <message>
        <source>Wires:2</source>
        <translation>Wires:2</translation>
    </message>
    <message>
        <source>Wires:1</source>
        <translation>Wires:1</translation>
    </message>
    <message>
        <source>Invalid BarCode</source>
        <translation>Invalid BarCode</translation>
    </message>
    <message>
        <source>Please scan the transmitter first</source>
        <translation>Please scan the transmitter first</translation>
    </message>
</context>
<context>
    <name>CurtainViewController</name>
    <message>
        <source>Curtain</source>
        <translation>Curtain</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>DeviceAddViewController</name>
    <message>
        <source>Scanned Device</source>
        <translation>Scanned Device</translation>
    </message>
    <message>
        <source>This device has been added</source>
        <translation>This device has been added</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>Curtain</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Please input name</source>
        <translation>Please input name</translation>
    </message>
    <message>
        <source>Connection successful</source>
        <translation>Connection successful</translation>
    </message>
    <message>
        <source>Add More</source>
        <translation>Add More</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
</context>
<context>
    <name>DeviceDetailViewController</name>
    <message>
        <source>Device Detail</source>
        <translation>Device Detail</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>DeviceEnrolment</name>
    <message>
        <source>Curtain</source>
        <translation>Curtain</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
</context>
<context>
    <name>DeviceListViewController</name>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>Curtain</translation>
    </message>
    <message>
        <source>Remove the master transmitter? Every command goes through it. Lights, curtains and scenarios cannot be reached until a master is enrolled again.</source>
        <translation>Remove the master transmitter? Every command goes through it. Lights, curtains and scenarios cannot be reached until a master is enrolled again.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
</context>
<context>
    <name>DeviceTableViewController</name>
    <message>
        <source>No devices are added yet</source>
        <translation>No devices are added yet</translation>
    </message>
    <message>
        <source>Try to add a device</source>
        <translation>Try to add a device</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
</context>
<context>
    <name>EditNameHCViewController</name>
    <message>
        <source>Choose Icon</source>
        <translation>Choose Icon</translation>
    </message>
    <message>
        <source>Choose Photo</source>
        <translation>Choose Photo</translation>
    </message>
    <message>
        <source>Take Photo</source>
        <translation>Take Photo</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg)</source>
        <translation>Pictures (*.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>No camera found</source>
        <translation>No camera found</translation>
    </message>
</context>
<context>
    <name>EditNameViewController</name>
    <message>
        <source>Setting Name</source>
        <translation>Setting Name</translation>
    </message>
    <message>
        <source>Change Name</source>
        <translation>Change Name</translation>
    </message>
    <message>
        <source>Please input name</source>
        <translation>Please input name</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>HelpTopics</name>
    <message>
        <source>如何添加灯光或者窗帘</source>
        <translation>Adding lights or curtains</translation>
    </message>
    <message>
        <source>如何删除已添加的设备</source>
        <translation>Deleting a device</translation>
    </message>
    <message>
        <source>如何自定义场景</source>
        <translation>Creating a scenario</translation>
    </message>
    <message>
        <source>如何编辑场景</source>
        <translation>Editing a scenario</translation>
    </message>
    <message>
        <source>Installation Guide</source>
        <translation>Installation Guide</translation>
    </message>
    <message>
        <source>addDevice</source>
        <translation>addDevice</translation>
    </message>
    <message>
        <source>三种方法进入二维码扫描页面</source>
        <translation>Three ways to open the QR code scanner</translation>
    </message>
    <message>
        <source>方法一:点击主页右上角的“扫描”图标</source>
        <translation>Method 1: on the home screen, touch the “Scan” icon at the top right</translation>
    </message>
    <message>
        <source>方法二:在主页点击相应的设备类型(灯光或窗帘)图标,在显示的页面中点击右上角的“+”按键</source>
        <translation>Method 2: on the home screen, touch the device type (Lighting or Curtain), then touch “+” at the top right of the screen that opens</translation>
    </message>
    <message>
        <source>方法三:在主页点击列表图标,在显示的系统配置页面中选择“设备管理”,点击右上角的“+”按键</source>
        <translation>Method 3: on the home screen, touch the list icon, choose “Device Management” in the settings, then touch “+” at the top right</translation>
    </message>
    <message>
        <source>deleteDevice</source>
        <translation>deleteDevice</translation>
    </message>
    <message>
        <source>在主页点击列表图标,在显示的系统配置页面选择“设备管理”,向右滑动目标设备,点击垃圾桶图标删除该设备</source>
        <translation>On the home screen, touch the list icon and choose “Device Management” in the settings; swipe the device to the right and touch the bin icon to delete it</translation>
    </message>
    <message>
        <source>第一步</source>
        <translation>Step 1</translation>
    </message>
    <message>
        <source>第二步</source>
        <translation>Step 2</translation>
    </message>
    <message>
        <source>第三步</source>
        <translation>Step 3</translation>
    </message>
    <message>
        <source>setScenario</source>
        <translation>setScenario</translation>
    </message>
    <message>
        <source>第一步:在主页点击场景图标,进入场景列表</source>
        <translation>Step 1: on the home screen, touch the Scenario icon to open the scenario list</translation>
    </message>
    <message>
        <source>第二步:点击右上角的“+”进入设备列表,选择设备并设置设备状态,点击“下一步”</source>
        <translation>Step 2: touch “+” at the top right to open the device list, choose devices and set their states, then touch “Next”</translation>
    </message>
    <message>
        <source>第三步:设置场景名称,创建场景图标,完成</source>
        <translation>Step 3: name the scenario, choose its picture, and finish</translation>
    </message>
    <message>
        <source>editScenario</source>
        <translation>editScenario</translation>
    </message>
    <message>
        <source>第二步:在显示的场景列表中向右滑动目标场景</source>
        <translation>Step 2: in the scenario list, swipe the scenario to the right</translation>
    </message>
    <message>
        <source>第三步:点击垃圾桶图标可删除场景,点击铅笔图标可编辑场景</source>
        <translation>Step 3: touch the bin icon to delete the scenario, or the pencil icon to edit it</translation>
    </message>
</context>
<context>
    <name>HelpViewController</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>HomeActions</name>
    <message>
        <source>Clean all successful</source>
        <translation>Clean all successful</translation>
    </message>
    <message>
        <source>Clean all failed</source>
        <translation>Clean all failed</translation>
    </message>
    <message>
        <source>The home could not be removed</source>
        <translation>The home could not be removed</translation>
    </message>
</context>
<context>
    <name>HomeDetailViewController</name>
    <message>
        <source>Please input ID</source>
        <translation>Please input ID</translation>
    </message>
</context>
<context>
    <name>HomeFunctionTile</name>
    <message>
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>Curtain</translation>
    </message>
    <message>
        <source>Scenario</source>
        <translation>Scenario</translation>
    </message>
    <message>
        <source>Drag down to open the hidden panel</source>
        <translation>Drag down to open the hidden panel</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
</context>
<context>
    <name>HomeMenuView</name>
    <message>
        <source>Device Management</source>
        <translation>Device Management</translation>
    </message>
    <message>
        <source>Clean All</source>
        <translation>Clean All</translation>
    </message>
    <message>
        <source>Synchronize Data</source>
        <translation>Synchronize Data</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>System Setting</source>
        <translation>System Setting</translation>
    </message>
    <message>
        <source>Schedules</source>
        <translation>Schedules</translation>
    </message>
</context>
<context>
    <name>HomeScenarioStrip</name>
    <message>
        <source>Commonly used scenarios</source>
        <translation>Commonly used scenarios</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Add Scenario</source>
        <translation>Add Scenario</translation>
    </message>
</context>
<context>
    <name>HomeViewController</name>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Clean All</source>
        <translation>Clean All</translation>
    </message>
    <message>
        <source>Synchronize Data</source>
        <translation>Synchronize Data</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Close Menu</source>
        <translation>Close Menu</translation>
    </message>
</context>
<context>
    <name>InstalGuideViewController</name>
    <message>
        <source>Installation Guide</source>
        <translation>Installation Guide</translation>
    </message>
    <message>
        <source>Connect the ZEVO-4100 Transmitter to the power supply and the internet</source>
        <translation>Connect the ZEVO-4100 Transmitter to the power supply and the internet</translation>
    </message>
    <message>
        <source>Open app to scan the QR code of the transmitter and add it to the system</source>
        <translation>Open app to scan the QR code of the transmitter and add it to the system</translation>
    </message>
</context>
<context>
    <name>LightStateText</name>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>LightingViewController</name>
    <message>
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>LinkStatusText</name>
    <message>
        <source>not answering</source>
        <translation>not answering</translation>
    </message>
    <message>
        <source>answered %1</source>
        <translation>answered %1</translation>
    </message>
    <message>
        <source>located %1</source>
        <translation>located %1</translation>
    </message>
    <message>
        <source>%1 s ago</source>
        <translation>%1 s ago</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>%1 min ago</translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <translation>%1 h ago</translation>
    </message>
</context>
<context>
    <name>ParentPresentViewController</name>
    <message>
        <source>Maximum 20 bytes</source>
        <translation>Maximum 20 bytes</translation>
    </message>
</context>
<context>
    <name>ParentViewController</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>PhotoViewfinder</name>
    <message>
        <source>Starting the camera…</source>
        <translation>Starting the camera…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>Take</translation>
    </message>
    <message>
        <source>The camera cannot be used: %1</source>
        <translation>The camera cannot be used: %1</translation>
    </message>
</context>
<context>
    <name>RecordFactory</name>
    <message>
        <source>Master </source>
        <translation>Master </translation>
    </message>
    <message>
        <source>Slave </source>
        <translation>Slave </translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>All On Mode</source>
        <translation>All On Mode</translation>
    </message>
    <message>
        <source>All Off Mode</source>
        <translation>All Off Mode</translation>
    </message>
</context>
<context>
    <name>ScannedViewController</name>
    <message>
        <source>Reminder</source>
        <translation>Reminder</translation>
    </message>
    <message>
        <source>Please power on device before connect</source>
        <translation>Please power on device before connect</translation>
    </message>
</context>
<context>
    <name>SceneEditViewController</name>
    <message>
        <source>Please select device</source>
        <translation>Please select device</translation>
    </message>
</context>
<context>
    <name>SceneViewController</name>
    <message>
        <source>Scenario</source>
        <translation>Scenario</translation>
    </message>
    <message>
        <source>Add Scenario</source>
        <translation>Add Scenario</translation>
    </message>
</context>
<context>
    <name>ScheduleListViewController</name>
    <message>
        <source>Schedules</source>
        <translation>Schedules</translation>
    </message>
    <message>
        <source>There are no schedules yet.</source>
        <translation>There are no schedules yet.</translation>
    </message>
    <message>
        <source>Schedules are made and changed on the bridge&apos;s web page or with ardentia-ctl.</source>
        <translation>Schedules are made and changed on the bridge&apos;s web page or with ardentia-ctl.</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Next: %1</translation>
    </message>
</context>
<context>
    <name>ScheduleProblem</name>
    <message>
        <source>The latitude must be from -90 (south) to 90 (north) degrees.</source>
        <translation>The latitude must be from -90 (south) to 90 (north) degrees.</translation>
    </message>
    <message>
        <source>The longitude must be from -180 (west) to 180 (east) degrees.</source>
        <translation>The longitude must be from -180 (west) to 180 (east) degrees.</translation>
    </message>
    <message>
        <source>The schedule&apos;s %1 is missing or not understood.</source>
        <translation>The schedule&apos;s %1 is missing or not understood.</translation>
    </message>
    <message>
        <source>A day has no time %1.</source>
        <translation>A day has no time %1.</translation>
    </message>
    <message>
        <source>There is no date %1 (year-month-day).</source>
        <translation>There is no date %1 (year-month-day).</translation>
    </message>
    <message>
        <source>Days of the week are numbered 1 (Monday) to 7 (Sunday).</source>
        <translation>Days of the week are numbered 1 (Monday) to 7 (Sunday).</translation>
    </message>
    <message>
        <source>Channel %1 is a curtain: it opens, closes or stops.</source>
        <translation>Channel %1 is a curtain: it opens, closes or stops.</translation>
    </message>
    <message>
        <source>Channel %1 only switches on and off.</source>
        <translation>Channel %1 only switches on and off.</translation>
    </message>
    <message>
        <source>Channel %1 is a light: it has no curtain to move.</source>
        <translation>Channel %1 is a light: it has no curtain to move.</translation>
    </message>
    <message>
        <source>A schedule needs a name.</source>
        <translation>A schedule needs a name.</translation>
    </message>
    <message>
        <source>A schedule&apos;s name has at most %1 characters.</source>
        <translation>A schedule&apos;s name has at most %1 characters.</translation>
    </message>
    <message>
        <source>A schedule&apos;s name cannot hold control characters or line breaks.</source>
        <translation>A schedule&apos;s name cannot hold control characters or line breaks.</translation>
    </message>
    <message>
        <source>The home has no scenario %1.</source>
        <translation>The home has no scenario %1.</translation>
    </message>
    <message>
        <source>The home has no channel %1.</source>
        <translation>The home has no channel %1.</translation>
    </message>
    <message>
        <source>A level is from 0 to 100, not %1.</source>
        <translation>A level is from 0 to 100, not %1.</translation>
    </message>
    <message>
        <source>Choose at least one day of the week.</source>
        <translation>Choose at least one day of the week.</translation>
    </message>
    <message>
        <source>The offset from sunrise or sunset is at most 3 hours (180 minutes) either way, not %1 minutes.</source>
        <translation>The offset from sunrise or sunset is at most 3 hours (180 minutes) either way, not %1 minutes.</translation>
    </message>
    <message>
        <source>Set the home&apos;s location first: sunrise and sunset are reckoned from it.</source>
        <translation>Set the home&apos;s location first: sunrise and sunset are reckoned from it.</translation>
    </message>
    <message>
        <source>The schedule needs a time of day.</source>
        <translation>The schedule needs a time of day.</translation>
    </message>
    <message>
        <source>The schedule needs a date.</source>
        <translation>The schedule needs a date.</translation>
    </message>
    <message>
        <source>Switched off: its channel %1 was removed from the home.</source>
        <translation>Switched off: its channel %1 was removed from the home.</translation>
    </message>
    <message>
        <source>Switched off: its scenario %1 was removed from the home.</source>
        <translation>Switched off: its scenario %1 was removed from the home.</translation>
    </message>
    <message>
        <source>Switched off: its channel %1 no longer takes this action.</source>
        <translation>Switched off: its channel %1 no longer takes this action.</translation>
    </message>
    <message>
        <source>The home&apos;s store could not be written.</source>
        <translation>The home&apos;s store could not be written.</translation>
    </message>
    <message>
        <source>The home has no schedule %1.</source>
        <translation>The home has no schedule %1.</translation>
    </message>
    <message>
        <source>A home has at most %1 schedules.</source>
        <translation>A home has at most %1 schedules.</translation>
    </message>
    <message>
        <source>The home&apos;s store could not be read.</source>
        <translation>The home&apos;s store could not be read.</translation>
    </message>
</context>
<context>
    <name>ScheduleWords</name>
    <message>
        <source>Today</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Tomorrow</translation>
    </message>
    <message>
        <source>at sunrise %1</source>
        <translation>at sunrise %1</translation>
    </message>
    <message>
        <source>at sunset %1</source>
        <translation>at sunset %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Run scenario %1</source>
        <translation>Run scenario %1</translation>
    </message>
    <message>
        <source>%1 on</source>
        <translation>%1 on</translation>
    </message>
    <message>
        <source>%1 off</source>
        <translation>%1 off</translation>
    </message>
    <message>
        <source>%1 to %2%</source>
        <translation>%1 to %2%</translation>
    </message>
    <message>
        <source>%1 open</source>
        <translation>%1 open</translation>
    </message>
    <message>
        <source>%1 closed</source>
        <translation>%1 closed</translation>
    </message>
    <message>
        <source>%1 stopped</source>
        <translation>%1 stopped</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>every day</translation>
    </message>
    <message>
        <source>%1–%2</source>
        <translation>%1–%2</translation>
    </message>
    <message>
        <source>no day</source>
        <translation>no day</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Once on %1 at %2</source>
        <translation>Once on %1 at %2</translation>
    </message>
    <message>
        <source>At sunrise</source>
        <translation>At sunrise</translation>
    </message>
    <message>
        <source>At sunset</source>
        <translation>At sunset</translation>
    </message>
    <message>
        <source>%1 min before sunrise</source>
        <translation>%1 min before sunrise</translation>
    </message>
    <message>
        <source>%1 min after sunrise</source>
        <translation>%1 min after sunrise</translation>
    </message>
    <message>
        <source>%1 min before sunset</source>
        <translation>%1 min before sunset</translation>
    </message>
    <message>
        <source>%1 min after sunset</source>
        <translation>%1 min after sunset</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Switched off by the home: its device is no longer there.</source>
        <translation>Switched off by the home: its device is no longer there.</translation>
    </message>
    <message>
        <source>Switched off by the home: its scenario is no longer there.</source>
        <translation>Switched off by the home: its scenario is no longer there.</translation>
    </message>
    <message>
        <source>Switched off by the home: its device no longer does this.</source>
        <translation>Switched off by the home: its device no longer does this.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <translation>d MMM yyyy</translation>
    </message>
    <message>
        <source>d MMM</source>
        <translation>d MMM</translation>
    </message>
    <message>
        <source>Does not run until the home&apos;s location is set, for its sunrise and sunset (ardentia-ctl schedule location).</source>
        <translation>Does not run until the home&apos;s location is set, for its sunrise and sunset (ardentia-ctl schedule location).</translation>
    </message>
    <message>
        <source>No next run: its date has passed</source>
        <translation>No next run: its date has passed</translation>
    </message>
    <message>
        <source>No next run: the home&apos;s location is not set</source>
        <translation>No next run: the home&apos;s location is not set</translation>
    </message>
    <message>
        <source>No next run: the sun does not rise on the chosen days</source>
        <translation>No next run: the sun does not rise on the chosen days</translation>
    </message>
    <message>
        <source>No next run: the sun does not set on the chosen days</source>
        <translation>No next run: the sun does not set on the chosen days</translation>
    </message>
    <message>
        <source>No next run</source>
        <translation>No next run</translation>
    </message>
    <message>
        <source>%1, %2 min before sunrise</source>
        <translation>%1, %2 min before sunrise</translation>
    </message>
    <message>
        <source>%1, %2 min after sunrise</source>
        <translation>%1, %2 min after sunrise</translation>
    </message>
    <message>
        <source>%1, %2 min before sunset</source>
        <translation>%1, %2 min before sunset</translation>
    </message>
    <message>
        <source>%1, %2 min after sunset</source>
        <translation>%1, %2 min after sunset</translation>
    </message>
</context>
<context>
    <name>ShowAlertManager</name>
    <message>
        <source>Connecting...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Control failed</source>
        <translation>Control failed</translation>
    </message>
    <message>
        <source>Please check device and network</source>
        <translation>Please check device and network</translation>
    </message>
    <message>
        <source>Network connection failed</source>
        <translation>Network connection failed</translation>
    </message>
    <message>
        <source>Connection successful</source>
        <translation>Connection successful</translation>
    </message>
    <message>
        <source>The home&apos;s data cannot be read</source>
        <translation>The home&apos;s data cannot be read</translation>
    </message>
    <message>
        <source>Please try again</source>
        <translation>Please try again</translation>
    </message>
</context>
<context>
    <name>SuperBoxAddViewController</name>
    <message>
        <source>Scanned Transmitter</source>
        <translation>Scanned Transmitter</translation>
    </message>
    <message>
        <source>This Transmitter has been added</source>
        <translation>This Transmitter has been added</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Connection successful</source>
        <translation>Connection successful</translation>
    </message>
    <message>
        <source>Add More</source>
        <translation>Add More</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Network connection failed</source>
        <translation>Network connection failed</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
</context>
<context>
    <name>TCPSocketManager</name>
    <message>
        <source>Synchronous data successful</source>
        <translation>Synchronous data successful</translation>
    </message>
</context>
<context>
    <name>UDPSocketManager</name>
    <message>
        <source>It is too full to add device</source>
        <translation>It is too full to add device</translation>
    </message>
    <message>
        <source>Force remove the device successful</source>
        <translation>Force remove the device successful</translation>
    </message>
    <message>
        <source>Force remove the device failed</source>
        <translation>Force remove the device failed</translation>
    </message>
    <message>
        <source>Delete scenario successful</source>
        <translation>Delete scenario successful</translation>
    </message>
    <message>
        <source>Delete scenario failed</source>
        <translation>Delete scenario failed</translation>
    </message>
    <message>
        <source>Setting scenario failed</source>
        <translation>Setting scenario failed</translation>
    </message>
    <message>
        <source>Setting scenario successful</source>
        <translation>Setting scenario successful</translation>
    </message>
    <message>
        <source>Please scan the transmitter first</source>
        <translation>Please scan the transmitter first</translation>
    </message>
    <message>
        <source>It is too full to add Transmitter</source>
        <translation>It is too full to add Transmitter</translation>
    </message>
    <message>
        <source>Your operating too often</source>
        <translation>Your operating too often</translation>
    </message>
    <message>
        <source>Please have a rest</source>
        <translation>Please have a rest</translation>
    </message>
    <message>
        <source>Scenario saved without some devices</source>
        <translation>Scenario saved without some devices</translation>
    </message>
</context>
<context>
    <name>VtActionSheet</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>VtHomeControlSheet</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Enable</translation>
    </message>
</context>
<context>
    <name>VtImageLibSheet</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Icon %1</source>
        <translation>Icon %1</translation>
    </message>
</context>
<context>
    <name>VtMoveCell</name>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>VtPageControl</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
</context>
<context>
    <name>VtScanViewController</name>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Align the QR code within the frame</source>
        <translation>Align the QR code within the frame</translation>
    </message>
    <message>
        <source>Have a try</source>
        <translation>Have a try</translation>
    </message>
    <message>
        <source>More</source>
        <translation>More</translation>
    </message>
    <message>
        <source>Please scan the transmitter first</source>
        <translation>Please scan the transmitter first</translation>
    </message>
    <message>
        <source>Please scan the Device</source>
        <translation>Please scan the Device</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Flashlight</source>
        <translation>Flashlight</translation>
    </message>
    <message>
        <source>Manual Input</source>
        <translation>Manual Input</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Please input the device ID</source>
        <translation>Please input the device ID</translation>
    </message>
    <message>
        <source>Please scan the barcode of the equipment</source>
        <translation>Please scan the barcode of the equipment</translation>
    </message>
</context>
<context>
    <name>VtSimpleSlider</name>
    <message>
        <source>Less</source>
        <translation>Less</translation>
    </message>
    <message>
        <source>More</source>
        <translation>More</translation>
    </message>
</context>
<context>
    <name>VtWelcomeView</name>
    <message>
        <source>为您量身定做的智能家居管家</source>
        <translation>The smart home butler made to measure for you</translation>
    </message>
    <message>
        <source>全新界面</source>
        <translation>A new interface</translation>
    </message>
    <message>
        <source>活泼温馨的界面设计和有趣的操作体验,为您的家居生活增添乐趣</source>
        <translation>A lively, warm design and playful controls add joy to life at home</translation>
    </message>
    <message>
        <source>扫一扫添加</source>
        <translation>Scan to add</translation>
    </message>
    <message>
        <source>用手机扫描二维码,您可以快捷地添加设备</source>
        <translation>Scan a QR code with your phone to add a device in moments</translation>
    </message>
    <message>
        <source>灯光控制</source>
        <translation>Lighting control</translation>
    </message>
    <message>
        <source>您可以用手机控制和调节家里所有的灯光,为您的家创造完美的氛围</source>
        <translation>Switch and dim every light in your home from your phone and set the perfect mood</translation>
    </message>
    <message>
        <source>窗帘控制</source>
        <translation>Curtain control</translation>
    </message>
    <message>
        <source>您可以在家里任何地方用手机开关窗帘,让更多的阳光照耀您的家</source>
        <translation>Open and close the curtains from anywhere in your home and let the sunshine in</translation>
    </message>
    <message>
        <source>场景一键操控</source>
        <translation>Scenarios at one touch</translation>
    </message>
    <message>
        <source>您可以为家里的灯光和窗帘设置场景,并随时随地进行控制</source>
        <translation>Set up scenarios for your lights and curtains and run them whenever you like</translation>
    </message>
    <message>
        <source>现在
开启您的智能家居之旅吧</source>
        <translation>Now
start your smart home journey</translation>
    </message>
    <message>
        <source>请将无线转发器通电并联网</source>
        <translation>Please power the transmitter and connect it to the network</translation>
    </message>
    <message>
        <source>立即体验</source>
        <translation>Start now</translation>
    </message>
</context>
<context>
    <name>WebRemote</name>
    <message>
        <source>Connecting…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>Rooms of the home</source>
        <translation>Rooms of the home</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>Backups</translation>
    </message>
    <message>
        <source>The bridge backs the home up every night and before a synchronization that removes devices. Keep a copy off this computer: download one.</source>
        <translation>The bridge backs the home up every night and before a synchronization that removes devices. Keep a copy off this computer: download one.</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>Back up now</translation>
    </message>
    <message>
        <source>Restore from a file</source>
        <translation>Restore from a file</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Restore the home from %1? Its devices, names, scenarios and paired phones replace the ones here; the home as it is now is kept as a backup.</source>
        <translation>Restore the home from %1? Its devices, names, scenarios and paired phones replace the ones here; the home as it is now is kept as a backup.</translation>
    </message>
    <message>
        <source>Restoring the home…</source>
        <translation>Restoring the home…</translation>
    </message>
    <message>
        <source>The home was restored. The bridge starts again on it.</source>
        <translation>The home was restored. The bridge starts again on it.</translation>
    </message>
    <message>
        <source>This backup cannot be restored</source>
        <translation>This backup cannot be restored</translation>
    </message>
    <message>
        <source>The backup is larger than 8 MB: restore it with ardentia-ctl restore.</source>
        <translation>The backup is larger than 8 MB: restore it with ardentia-ctl restore.</translation>
    </message>
    <message>
        <source>The backup could not be made.</source>
        <translation>The backup could not be made.</translation>
    </message>
    <message>
        <source>Backup made</source>
        <translation>Backup made</translation>
    </message>
    <message>
        <source>No backups yet</source>
        <translation>No backups yet</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Download the backup of %1</source>
        <translation>Download the backup of %1</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>Opened</source>
        <translation>Opened</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Open %1</translation>
    </message>
    <message>
        <source>Stop %1</source>
        <translation>Stop %1</translation>
    </message>
    <message>
        <source>Close %1</source>
        <translation>Close %1</translation>
    </message>
    <message>
        <source>Turn on %1</source>
        <translation>Turn on %1</translation>
    </message>
    <message>
        <source>Turn off %1</source>
        <translation>Turn off %1</translation>
    </message>
    <message>
        <source>%1 brightness</source>
        <translation>%1 brightness</translation>
    </message>
    <message>
        <source>waiting for the master</source>
        <translation>waiting for the master</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>Not connected to the home.</source>
        <translation>Not connected to the home.</translation>
    </message>
    <message>
        <source>The home did not take the command.</source>
        <translation>The home did not take the command.</translation>
    </message>
    <message>
        <source>Synchronize Data failed.</source>
        <translation>Synchronize Data failed.</translation>
    </message>
    <message>
        <source>Not paired</source>
        <translation>Not paired</translation>
    </message>
    <message>
        <source>Pair this device first: on the home&apos;s computer run &quot;ardentia-ctl web-pair&quot; and open the link it shows.</source>
        <translation>Pair this device first: on the home&apos;s computer run &quot;ardentia-ctl web-pair&quot; and open the link it shows.</translation>
    </message>
    <message>
        <source>Link not valid</source>
        <translation>Link not valid</translation>
    </message>
    <message>
        <source>This pairing link was used already or has expired. Run &quot;ardentia-ctl web-pair&quot; again for a new one.</source>
        <translation>This pairing link was used already or has expired. Run &quot;ardentia-ctl web-pair&quot; again for a new one.</translation>
    </message>
    <message>
        <source>The home&apos;s data cannot be read just now. Trying again…</source>
        <translation>The home&apos;s data cannot be read just now. Trying again…</translation>
    </message>
    <message>
        <source>A name cannot hold &quot;,&quot;, &quot;\n&quot; or line breaks.</source>
        <translation>A name cannot hold &quot;,&quot;, &quot;\n&quot; or line breaks.</translation>
    </message>
    <message>
        <source>Only the owner&apos;s devices can do this. This device is a family member&apos;s.</source>
        <translation>Only the owner&apos;s devices can do this. This device is a family member&apos;s.</translation>
    </message>
    <message>
        <source>This device is not in the home.</source>
        <translation>This device is not in the home.</translation>
    </message>
    <message>
        <source>Chosen devices</source>
        <translation>Chosen devices</translation>
    </message>
    <message>
        <source>The home is busy with another change. Try again shortly.</source>
        <translation>The home is busy with another change. Try again shortly.</translation>
    </message>
    <message>
        <source>This question has been answered already.</source>
        <translation>This question has been answered already.</translation>
    </message>
    <message>
        <source>This scenario is not in the home.</source>
        <translation>This scenario is not in the home.</translation>
    </message>
    <message>
        <source>A chosen device cannot keep that state in a scenario.</source>
        <translation>A chosen device cannot keep that state in a scenario.</translation>
    </message>
    <message>
        <source>Choose one of the pictures.</source>
        <translation>Choose one of the pictures.</translation>
    </message>
    <message>
        <source>Scan the device&apos;s code first.</source>
        <translation>Scan the device&apos;s code first.</translation>
    </message>
    <message>
        <source>The photo is larger than 8 MB.</source>
        <translation>The photo is larger than 8 MB.</translation>
    </message>
    <message>
        <source>Only a JPEG, PNG or WebP photo can be read.</source>
        <translation>Only a JPEG, PNG or WebP photo can be read.</translation>
    </message>
    <message>
        <source>No code could be read in the photo.</source>
        <translation>No code could be read in the photo.</translation>
    </message>
    <message>
        <source>The photo could not be saved.</source>
        <translation>The photo could not be saved.</translation>
    </message>
    <message>
        <source>Run %1</source>
        <translation>Run %1</translation>
    </message>
    <message>
        <source>Quick control</source>
        <translation>Quick control</translation>
    </message>
    <message>
        <source>Other photos are being sent. Try again in a moment.</source>
        <translation>Other photos are being sent. Try again in a moment.</translation>
    </message>
    <message>
        <source>This scenario was just changed on another device. It is shown as it is now: make your change again.</source>
        <translation>This scenario was just changed on another device. It is shown as it is now: make your change again.</translation>
    </message>
    <message>
        <source>Scan with the camera</source>
        <translation>Scan with the camera</translation>
    </message>
    <message>
        <source>The camera could not be opened.</source>
        <translation>The camera could not be opened.</translation>
    </message>
    <message>
        <source>This device sent too many commands at once. Wait a moment and try again.</source>
        <translation>This device sent too many commands at once. Wait a moment and try again.</translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; from the home?</source>
        <translation>Remove &quot;%1&quot; from the home?</translation>
    </message>
    <message>
        <source>Edit or delete %1</source>
        <translation>Edit or delete %1</translation>
    </message>
    <message>
        <source>Schedules</source>
        <translation>Schedules</translation>
    </message>
    <message>
        <source>Add schedule</source>
        <translation>Add schedule</translation>
    </message>
    <message>
        <source>Change schedule</source>
        <translation>Change schedule</translation>
    </message>
    <message>
        <source>No schedules yet</source>
        <translation>No schedules yet</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>What it does</translation>
    </message>
    <message>
        <source>Run a scenario</source>
        <translation>Run a scenario</translation>
    </message>
    <message>
        <source>Switch a light on or off</source>
        <translation>Switch a light on or off</translation>
    </message>
    <message>
        <source>Set a dimmer&apos;s level</source>
        <translation>Set a dimmer&apos;s level</translation>
    </message>
    <message>
        <source>Open, close or stop a curtain</source>
        <translation>Open, close or stop a curtain</translation>
    </message>
    <message>
        <source>Switch to</source>
        <translation>Switch to</translation>
    </message>
    <message>
        <source>Level (0 to 100 %)</source>
        <translation>Level (0 to 100 %)</translation>
    </message>
    <message>
        <source>When</source>
        <translation>When</translation>
    </message>
    <message>
        <source>At a time of day</source>
        <translation>At a time of day</translation>
    </message>
    <message>
        <source>At sunrise</source>
        <translation>At sunrise</translation>
    </message>
    <message>
        <source>At sunset</source>
        <translation>At sunset</translation>
    </message>
    <message>
        <source>Once, on a date</source>
        <translation>Once, on a date</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Minutes after (+) or before (-), up to 180</source>
        <translation>Minutes after (+) or before (-), up to 180</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>The home&apos;s location</source>
        <translation>The home&apos;s location</translation>
    </message>
    <message>
        <source>Sunrise and sunset are reckoned from where the home is.</source>
        <translation>Sunrise and sunset are reckoned from where the home is.</translation>
    </message>
    <message>
        <source>Latitude in degrees (north +, south -)</source>
        <translation>Latitude in degrees (north +, south -)</translation>
    </message>
    <message>
        <source>Longitude in degrees (east +, west -)</source>
        <translation>Longitude in degrees (east +, west -)</translation>
    </message>
    <message>
        <source>The home&apos;s location: %1, %2</source>
        <translation>The home&apos;s location: %1, %2</translation>
    </message>
    <message>
        <source>The home&apos;s location is not set.</source>
        <translation>The home&apos;s location is not set.</translation>
    </message>
    <message>
        <source>Delete the schedule &quot;%1&quot;?</source>
        <translation>Delete the schedule &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Schedule saved</source>
        <translation>Schedule saved</translation>
    </message>
    <message>
        <source>Schedule deleted</source>
        <translation>Schedule deleted</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
</context>
</TS>
