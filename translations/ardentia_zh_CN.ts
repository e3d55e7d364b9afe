<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutUSViewController</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>畅享智能生活</source>
        <translation>畅享智能生活</translation>
    </message>
    <message>
        <source>© 2026 The Ardentia Home developers. All rights reserved.</source>
        <translation>© 2026 Ardentia Home 开发者 版权所有</translation>
    </message>
    <message>
        <source>Technical Support</source>
        <translation>技术支持</translation>
    </message>
    <message>
        <source>App Version</source>
        <translation>软件版本</translation>
    </message>
</context>
<context>
    <name>CheckManager</name>
    <message>
        <source>Maximum 8 scenarios</source>
        <translation>最多8个情景</translation>
    </message>
</context>
<context>
    <name>ChooseControlViewController</name>
    <message>
        <source>Select Devices</source>
        <translation>选择设备</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>Please select device</source>
        <translation>请选择设备</translation>
    </message>
    <message>
        <source>Include %1</source>
        <translation>包含 %1</translation>
    </message>
</context>
<context>
    <name>CodeDecoder</name>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Wireless Transmitter</source>
        <translation>无线转发器</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>窗帘</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source> Controller</source>
        <translation>控制器</translation>
    </message>
    <message>
        <source>Groups:</source>
        <translation>路数:</translation>
    </message>
    <message>
        <source>Wires:2</source>
        <translation>线数:2</translation>
    </message>
    <message>
        <source>Wires:1</source>
        <translation>线数:1</translation>
    </message>
    <message>
        <source>Invalid BarCode</source>
        <translation>无效的条码</translation>
    </message>
    <message>
        <source>Please scan the transmitter first</source>
        <translation>请先扫描无线转发器</translation>
    </message>
</context>
<context>
    <name>CurtainViewController</name>
    <message>
        <source>Curtain</source>
        <translation>窗帘</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>DeviceAddViewController</name>
    <message>
        <source>Scanned Device</source>
        <translation>扫描到的设备</translation>
    </message>
    <message>
        <source>This device has been added</source>
        <translation>该设备已添加</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>窗帘</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Please input name</source>
        <translation>请输入名称</translation>
    </message>
    <message>
        <source>Connection successful</source>
        <translation>连接成功</translation>
    </message>
    <message>
        <source>Add More</source>
        <translation>继续添加</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>已添加</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>个设备</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
</context>
<context>
    <name>DeviceDetailViewController</name>
    <message>
        <source>Device Detail</source>
        <translation>设备详情</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
</context>
<context>
    <name>DeviceEnrolment</name>
    <message>
        <source>Curtain</source>
        <translation>窗帘</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>灯光</translation>
    </message>
</context>
<context>
    <name>DeviceListViewController</name>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>无线转发器</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>窗帘</translation>
    </message>
    <message>
        <source>Remove the master transmitter? Every command goes through it. Lights, curtains and scenarios cannot be reached until a master is enrolled again.</source>
        <translation>删除主无线转发器？所有指令都经由它发出：在重新添加主无线转发器之前，灯光、窗帘和情景都无法控制。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
</context>
<context>
    <name>DeviceTableViewController</name>
    <message>
        <source>No devices are added yet</source>
        <translation>还没有添加设备</translation>
    </message>
    <message>
        <source>Try to add a device</source>
        <translation>试着添加一个设备</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
</context>
<context>
    <name>EditNameHCViewController</name>
    <message>
        <source>Choose Icon</source>
        <translation>选择图标</translation>
    </message>
    <message>
        <source>Choose Photo</source>
        <translation>选择照片</translation>
    </message>
    <message>
        <source>Take Photo</source>
        <translation>拍照</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg)</source>
        <translation>图片 (*.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>No camera found</source>
        <translation>未找到摄像头</translation>
    </message>
</context>
<context>
    <name>EditNameViewController</name>
    <message>
        <source>Setting Name</source>
        <translation>设置名称</translation>
    </message>
    <message>
        <source>Change Name</source>
        <translation>修改名称</translation>
    </message>
    <message>
        <source>Please input name</source>
        <translation>请输入名称</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
</context>
<context>
    <name>HelpTopics</name>
    <message>
        <source>如何添加灯光或者窗帘</source>
        <translation>如何添加灯光或者窗帘</translation>
    </message>
    <message>
        <source>如何删除已添加的设备</source>
        <translation>如何删除已添加的设备</translation>
    </message>
    <message>
        <source>如何自定义场景</source>
        <translation>如何自定义场景</translation>
    </message>
    <message>
        <source>如何编辑场景</source>
        <translation>如何编辑场景</translation>
    </message>
    <message>
        <source>Installation Guide</source>
        <translation>安装指南</translation>
    </message>
    <message>
        <source>addDevice</source>
        <translation>addDevice</translation>
    </message>
    <message>
        <source>三种方法进入二维码扫描页面</source>
        <translation>三种方法进入二维码扫描页面</translation>
    </message>
    <message>
        <source>方法一:点击主页右上角的“扫描”图标</source>
        <translation>方法一:点击主页右上角的“扫描”图标</translation>
    </message>
    <message>
        <source>方法二:在主页点击相应的设备类型(灯光或窗帘)图标,在显示的页面中点击右上角的“+”按键</source>
        <translation>方法二:在主页点击相应的设备类型(灯光或窗帘)图标,在显示的页面中点击右上角的“+”按键</translation>
    </message>
    <message>
        <source>方法三:在主页点击列表图标,在显示的系统配置页面中选择“设备管理”,点击右上角的“+”按键</source>
        <translation>方法三:在主页点击列表图标,在显示的系统配置页面中选择“设备管理”,点击右上角的“+”按键</translation>
    </message>
    <message>
        <source>deleteDevice</source>
        <translation>deleteDevice</translation>
    </message>
    <message>
        <source>在主页点击列表图标,在显示的系统配置页面选择“设备管理”,向右滑动目标设备,点击垃圾桶图标删除该设备</source>
        <translation>在主页点击列表图标,在显示的系统配置页面选择“设备管理”,向右滑动目标设备,点击垃圾桶图标删除该设备</translation>
    </message>
    <message>
        <source>第一步</source>
        <translation>第一步</translation>
    </message>
    <message>
        <source>第二步</source>
        <translation>第二步</translation>
    </message>
    <message>
        <source>第三步</source>
        <translation>第三步</translation>
    </message>
    <message>
        <source>setScenario</source>
        <translation>setScenario</translation>
    </message>
    <message>
        <source>第一步:在主页点击场景图标,进入场景列表</source>
        <translation>第一步:在主页点击场景图标,进入场景列表</translation>
    </message>
    <message>
        <source>第二步:点击右上角的“+”进入设备列表,选择设备并设置设备状态,点击“下一步”</source>
        <translation>第二步:点击右上角的“+”进入设备列表,选择设备并设置设备状态,点击“下一步”</translation>
    </message>
    <message>
        <source>第三步:设置场景名称,创建场景图标,完成</source>
        <translation>第三步:设置场景名称,创建场景图标,完成</translation>
    </message>
    <message>
        <source>editScenario</source>
        <translation>editScenario</translation>
    </message>
    <message>
        <source>第二步:在显示的场景列表中向右滑动目标场景</source>
        <translation>第二步:在显示的场景列表中向右滑动目标场景</translation>
    </message>
    <message>
        <source>第三步:点击垃圾桶图标可删除场景,点击铅笔图标可编辑场景</source>
        <translation>第三步:点击垃圾桶图标可删除场景,点击铅笔图标可编辑场景</translation>
    </message>
</context>
<context>
    <name>HelpViewController</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>HomeActions</name>
    <message>
        <source>Clean all successful</source>
        <translation>清除全部数据成功</translation>
    </message>
    <message>
        <source>Clean all failed</source>
        <translation>清除全部数据失败</translation>
    </message>
    <message>
        <source>The home could not be removed</source>
        <translation>无法清除家庭数据</translation>
    </message>
</context>
<context>
    <name>HomeDetailViewController</name>
    <message>
        <source>Please input ID</source>
        <translation>请输入ID</translation>
    </message>
</context>
<context>
    <name>HomeFunctionTile</name>
    <message>
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source>Curtain</source>
        <translation>窗帘</translation>
    </message>
    <message>
        <source>Scenario</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Drag down to open the hidden panel</source>
        <translation>向下拖动打开隐藏面板</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
</context>
<context>
    <name>HomeMenuView</name>
    <message>
        <source>Device Management</source>
        <translation>设备管理</translation>
    </message>
    <message>
        <source>Clean All</source>
        <translation>清除所有</translation>
    </message>
    <message>
        <source>Synchronize Data</source>
        <translation>同步数据</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>System Setting</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>Schedules</source>
        <translation>定时任务</translation>
    </message>
</context>
<context>
    <name>HomeScenarioStrip</name>
    <message>
        <source>Commonly used scenarios</source>
        <translation>常用场景</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Add Scenario</source>
        <translation>添加场景</translation>
    </message>
</context>
<context>
    <name>HomeViewController</name>
    <message>
        <source>Home</source>
        <translation>首页</translation>
    </message>
    <message>
        <source>Clean All</source>
        <translation>清除所有</translation>
    </message>
    <message>
        <source>Synchronize Data</source>
        <translation>同步数据</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Close Menu</source>
        <translation>关闭菜单</translation>
    </message>
</context>
<context>
    <name>InstalGuideViewController</name>
    <message>
        <source>Installation Guide</source>
        <translation>安装指南</translation>
    </message>
    <message>
        <source>Connect the ZEVO-4100 Transmitter to the power supply and the internet</source>
        <translation>将 ZEVO-4100 无线转发器接通电源并连接网络</translation>
    </message>
    <message>
        <source>Open app to scan the QR code of the transmitter and add it to the system</source>
        <translation>打开应用扫描无线转发器的二维码,将其添加到系统中</translation>
    </message>
</context>
<context>
    <name>LightStateText</name>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>LightingViewController</name>
    <message>
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
</context>
<context>
    <name>LinkStatusText</name>
    <message>
        <source>not answering</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>answered %1</source>
        <translation>%1有应答</translation>
    </message>
    <message>
        <source>located %1</source>
        <translation>%1已定位</translation>
    </message>
    <message>
        <source>%1 s ago</source>
        <translation>%1 秒前</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>%1 分钟前</translation>
    </message>
    <message>
        <source>%1 h ago</source>
        <translation>%1 小时前</translation>
    </message>
</context>
<context>
    <name>ParentPresentViewController</name>
    <message>
        <source>Maximum 20 bytes</source>
        <translation>最多20个字符</translation>
    </message>
</context>
<context>
    <name>ParentViewController</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>PhotoViewfinder</name>
    <message>
        <source>Starting the camera…</source>
        <translation>正在启动摄像头…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>拍摄</translation>
    </message>
    <message>
        <source>The camera cannot be used: %1</source>
        <translation>无法使用摄像头:%1</translation>
    </message>
</context>
<context>
    <name>RecordFactory</name>
    <message>
        <source>All On Mode</source>
        <translation>全开模式</translation>
    </message>
    <message>
        <source>Master </source>
        <translation>主</translation>
    </message>
    <message>
        <source>Slave </source>
        <translation>从</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>无线转发器</translation>
    </message>
    <message>
        <source>All Off Mode</source>
        <translation>全关模式</translation>
    </message>
</context>
<context>
    <name>ScannedViewController</name>
    <message>
        <source>Reminder</source>
        <translation>温馨提示</translation>
    </message>
    <message>
        <source>Please power on device before connect</source>
        <translation>连接前请先给设备通电</translation>
    </message>
</context>
<context>
    <name>SceneEditViewController</name>
    <message>
        <source>Please select device</source>
        <translation>请选择设备</translation>
    </message>
</context>
<context>
    <name>SceneViewController</name>
    <message>
        <source>Scenario</source>
        <translation>情景</translation>
    </message>
    <message>
        <source>Add Scenario</source>
        <translation>添加场景</translation>
    </message>
</context>
<context>
    <name>ScheduleListViewController</name>
    <message>
        <source>Schedules</source>
        <translation>定时任务</translation>
    </message>
    <message>
        <source>There are no schedules yet.</source>
        <translation>还没有定时任务。</translation>
    </message>
    <message>
        <source>Schedules are made and changed on the bridge&apos;s web page or with ardentia-ctl.</source>
        <translation>定时任务在网桥的网页上或用 ardentia-ctl 创建和修改。</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>下次：%1</translation>
    </message>
</context>
<context>
    <name>ScheduleProblem</name>
    <message>
        <source>The latitude must be from -90 (south) to 90 (north) degrees.</source>
        <translation>纬度必须在 -90（南）到 90（北）度之间。</translation>
    </message>
    <message>
        <source>The longitude must be from -180 (west) to 180 (east) degrees.</source>
        <translation>经度必须在 -180（西）到 180（东）度之间。</translation>
    </message>
    <message>
        <source>The schedule&apos;s %1 is missing or not understood.</source>
        <translation>定时的 %1 缺失或无法识别。</translation>
    </message>
    <message>
        <source>A day has no time %1.</source>
        <translation>一天中没有 %1 这个时间。</translation>
    </message>
    <message>
        <source>There is no date %1 (year-month-day).</source>
        <translation>没有 %1 这个日期（年-月-日）。</translation>
    </message>
    <message>
        <source>Days of the week are numbered 1 (Monday) to 7 (Sunday).</source>
        <translation>星期以 1（星期一）到 7（星期日）表示。</translation>
    </message>
    <message>
        <source>Channel %1 is a curtain: it opens, closes or stops.</source>
        <translation>通道 %1 是窗帘：只能打开、关闭或停止。</translation>
    </message>
    <message>
        <source>Channel %1 only switches on and off.</source>
        <translation>通道 %1 只能打开和关闭。</translation>
    </message>
    <message>
        <source>Channel %1 is a light: it has no curtain to move.</source>
        <translation>通道 %1 是灯光：没有可移动的窗帘。</translation>
    </message>
    <message>
        <source>A schedule needs a name.</source>
        <translation>定时需要一个名称。</translation>
    </message>
    <message>
        <source>A schedule&apos;s name has at most %1 characters.</source>
        <translation>定时名称最多 %1 个字符。</translation>
    </message>
    <message>
        <source>A schedule&apos;s name cannot hold control characters or line breaks.</source>
        <translation>定时名称不能包含控制字符或换行。</translation>
    </message>
    <message>
        <source>The home has no scenario %1.</source>
        <translation>家中没有情景 %1。</translation>
    </message>
    <message>
        <source>The home has no channel %1.</source>
        <translation>家中没有通道 %1。</translation>
    </message>
    <message>
        <source>A level is from 0 to 100, not %1.</source>
        <translation>亮度必须在 0 到 100 之间，不能是 %1。</translation>
    </message>
    <message>
        <source>Choose at least one day of the week.</source>
        <translation>请至少选择一周中的一天。</translation>
    </message>
    <message>
        <source>The offset from sunrise or sunset is at most 3 hours (180 minutes) either way, not %1 minutes.</source>
        <translation>相对日出或日落的偏移最多前后 3 小时（180 分钟），不能是 %1 分钟。</translation>
    </message>
    <message>
        <source>Set the home&apos;s location first: sunrise and sunset are reckoned from it.</source>
        <translation>请先设置家的位置：日出和日落据此计算。</translation>
    </message>
    <message>
        <source>The schedule needs a time of day.</source>
        <translation>定时需要一个时间。</translation>
    </message>
    <message>
        <source>The schedule needs a date.</source>
        <translation>定时需要一个日期。</translation>
    </message>
    <message>
        <source>Switched off: its channel %1 was removed from the home.</source>
        <translation>已关闭：其通道 %1 已从家中删除。</translation>
    </message>
    <message>
        <source>Switched off: its scenario %1 was removed from the home.</source>
        <translation>已关闭：其情景 %1 已从家中删除。</translation>
    </message>
    <message>
        <source>Switched off: its channel %1 no longer takes this action.</source>
        <translation>已关闭：其通道 %1 不再支持此操作。</translation>
    </message>
    <message>
        <source>The home&apos;s store could not be written.</source>
        <translation>无法写入家的数据。</translation>
    </message>
    <message>
        <source>The home has no schedule %1.</source>
        <translation>家中没有定时 %1。</translation>
    </message>
    <message>
        <source>A home has at most %1 schedules.</source>
        <translation>一个家最多有 %1 个定时。</translation>
    </message>
    <message>
        <source>The home&apos;s store could not be read.</source>
        <translation>无法读取住宅的数据存储。</translation>
    </message>
</context>
<context>
    <name>ScheduleWords</name>
    <message>
        <source>Today</source>
        <translation>今天</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>明天</translation>
    </message>
    <message>
        <source>at sunrise %1</source>
        <translation>日出 %1</translation>
    </message>
    <message>
        <source>at sunset %1</source>
        <translation>日落 %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>星期一</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>星期二</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>星期三</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>星期四</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>星期五</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>星期六</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>星期日</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>周一</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>周二</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>周三</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>周四</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>周五</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>周六</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>周日</translation>
    </message>
    <message>
        <source>Run scenario %1</source>
        <translation>运行情景 %1</translation>
    </message>
    <message>
        <source>%1 on</source>
        <translation>打开 %1</translation>
    </message>
    <message>
        <source>%1 off</source>
        <translation>关闭 %1</translation>
    </message>
    <message>
        <source>%1 to %2%</source>
        <translation>%1 调到 %2%</translation>
    </message>
    <message>
        <source>%1 open</source>
        <translation>打开 %1</translation>
    </message>
    <message>
        <source>%1 closed</source>
        <translation>关闭 %1</translation>
    </message>
    <message>
        <source>%1 stopped</source>
        <translation>停止 %1</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>%1–%2</source>
        <translation>%1至%2</translation>
    </message>
    <message>
        <source>no day</source>
        <translation>无</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>Once on %1 at %2</source>
        <translation>仅一次：%1 %2</translation>
    </message>
    <message>
        <source>At sunrise</source>
        <translation>日出时</translation>
    </message>
    <message>
        <source>At sunset</source>
        <translation>日落时</translation>
    </message>
    <message>
        <source>%1 min before sunrise</source>
        <translation>日出前 %1 分钟</translation>
    </message>
    <message>
        <source>%1 min after sunrise</source>
        <translation>日出后 %1 分钟</translation>
    </message>
    <message>
        <source>%1 min before sunset</source>
        <translation>日落前 %1 分钟</translation>
    </message>
    <message>
        <source>%1 min after sunset</source>
        <translation>日落后 %1 分钟</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>Switched off by the home: its device is no longer there.</source>
        <translation>已被系统关闭：其设备已不存在。</translation>
    </message>
    <message>
        <source>Switched off by the home: its scenario is no longer there.</source>
        <translation>已被系统关闭：其情景已不存在。</translation>
    </message>
    <message>
        <source>Switched off by the home: its device no longer does this.</source>
        <translation>已被系统关闭：其设备不再支持此操作。</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <translation>yyyy年M月d日</translation>
    </message>
    <message>
        <source>d MMM</source>
        <translation>M月d日</translation>
    </message>
    <message>
        <source>Does not run until the home&apos;s location is set, for its sunrise and sunset (ardentia-ctl schedule location).</source>
        <translation>未设置住宅位置，无法得知日出和日落时间，因此不会运行（ardentia-ctl schedule location）。</translation>
    </message>
    <message>
        <source>No next run: its date has passed</source>
        <translation>无下次运行：日期已过</translation>
    </message>
    <message>
        <source>No next run: the home&apos;s location is not set</source>
        <translation>无下次运行：未设置住宅位置</translation>
    </message>
    <message>
        <source>No next run: the sun does not rise on the chosen days</source>
        <translation>无下次运行：所选日期太阳不升起</translation>
    </message>
    <message>
        <source>No next run: the sun does not set on the chosen days</source>
        <translation>无下次运行：所选日期太阳不落下</translation>
    </message>
    <message>
        <source>No next run</source>
        <translation>无下次运行</translation>
    </message>
    <message>
        <source>%1, %2 min before sunrise</source>
        <translation>%1，日出前 %2 分钟</translation>
    </message>
    <message>
        <source>%1, %2 min after sunrise</source>
        <translation>%1，日出后 %2 分钟</translation>
    </message>
    <message>
        <source>%1, %2 min before sunset</source>
        <translation>%1，日落前 %2 分钟</translation>
    </message>
    <message>
        <source>%1, %2 min after sunset</source>
        <translation>%1，日落后 %2 分钟</translation>
    </message>
</context>
<context>
    <name>ShowAlertManager</name>
    <message>
        <source>Connecting...</source>
        <translation>连接中...</translation>
    </message>
    <message>
        <source>Control failed</source>
        <translation>控制失败</translation>
    </message>
    <message>
        <source>Please check device and network</source>
        <translation>请检查设备和网络</translation>
    </message>
    <message>
        <source>Network connection failed</source>
        <translation>网络连接失败</translation>
    </message>
    <message>
        <source>Connection successful</source>
        <translation>连接成功</translation>
    </message>
    <message>
        <source>The home&apos;s data cannot be read</source>
        <translation>无法读取家庭数据</translation>
    </message>
    <message>
        <source>Please try again</source>
        <translation>请重试</translation>
    </message>
</context>
<context>
    <name>SuperBoxAddViewController</name>
    <message>
        <source>Scanned Transmitter</source>
        <translation>扫描到的无线转发器</translation>
    </message>
    <message>
        <source>This Transmitter has been added</source>
        <translation>该无线转发器已添加</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Connection successful</source>
        <translation>连接成功</translation>
    </message>
    <message>
        <source>Add More</source>
        <translation>继续添加</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Network connection failed</source>
        <translation>网络连接失败</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
</context>
<context>
    <name>TCPSocketManager</name>
    <message>
        <source>Synchronous data successful</source>
        <translation>同步数据成功</translation>
    </message>
</context>
<context>
    <name>UDPSocketManager</name>
    <message>
        <source>It is too full to add device</source>
        <translation>无法再添加设备</translation>
    </message>
    <message>
        <source>Force remove the device successful</source>
        <translation>强制删除设备成功</translation>
    </message>
    <message>
        <source>Force remove the device failed</source>
        <translation>强制删除设备失败</translation>
    </message>
    <message>
        <source>Delete scenario successful</source>
        <translation>删除情景成功</translation>
    </message>
    <message>
        <source>Delete scenario failed</source>
        <translation>删除情景失败</translation>
    </message>
    <message>
        <source>Setting scenario failed</source>
        <translation>设置情景失败</translation>
    </message>
    <message>
        <source>Setting scenario successful</source>
        <translation>设置情景成功</translation>
    </message>
    <message>
        <source>Please scan the transmitter first</source>
        <translation>请先扫描无线转发器</translation>
    </message>
    <message>
        <source>It is too full to add Transmitter</source>
        <translation>无法再添加无线转发器</translation>
    </message>
    <message>
        <source>Your operating too often</source>
        <translation>您的操作太频繁了</translation>
    </message>
    <message>
        <source>Please have a rest</source>
        <translation>请稍后再试</translation>
    </message>
    <message>
        <source>Scenario saved without some devices</source>
        <translation>情景已保存，但以下设备未设置</translation>
    </message>
</context>
<context>
    <name>VtActionSheet</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>VtHomeControlSheet</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
</context>
<context>
    <name>VtImageLibSheet</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Icon %1</source>
        <translation>图标 %1</translation>
    </message>
</context>
<context>
    <name>VtMoveCell</name>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>VtPageControl</name>
    <message>
        <source>%1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页面</translation>
    </message>
</context>
<context>
    <name>VtScanViewController</name>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Align the QR code within the frame</source>
        <translation>请将二维码放入框内</translation>
    </message>
    <message>
        <source>Have a try</source>
        <translation>先体验一下</translation>
    </message>
    <message>
        <source>More</source>
        <translation>更多</translation>
    </message>
    <message>
        <source>Please scan the transmitter first</source>
        <translation>请先扫描无线转发器</translation>
    </message>
    <message>
        <source>Please scan the Device</source>
        <translation>请扫描设备</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Flashlight</source>
        <translation>手电筒</translation>
    </message>
    <message>
        <source>Manual Input</source>
        <translation>手动输入</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Please input the device ID</source>
        <translation>请输入设备ID</translation>
    </message>
    <message>
        <source>Please scan the barcode of the equipment</source>
        <translation>请扫描设备上的条码</translation>
    </message>
</context>
<context>
    <name>VtSimpleSlider</name>
    <message>
        <source>Less</source>
        <translation>减少</translation>
    </message>
    <message>
        <source>More</source>
        <translation>增加</translation>
    </message>
</context>
<context>
    <name>VtWelcomeView</name>
    <message>
        <source>为您量身定做的智能家居管家</source>
        <translation>为您量身定做的智能家居管家</translation>
    </message>
    <message>
        <source>全新界面</source>
        <translation>全新界面</translation>
    </message>
    <message>
        <source>活泼温馨的界面设计和有趣的操作体验,为您的家居生活增添乐趣</source>
        <translation>活泼温馨的界面设计和有趣的操作体验,为您的家居生活增添乐趣</translation>
    </message>
    <message>
        <source>扫一扫添加</source>
        <translation>扫一扫添加</translation>
    </message>
    <message>
        <source>用手机扫描二维码,您可以快捷地添加设备</source>
        <translation>用手机扫描二维码,您可以快捷地添加设备</translation>
    </message>
    <message>
        <source>灯光控制</source>
        <translation>灯光控制</translation>
    </message>
    <message>
        <source>您可以用手机控制和调节家里所有的灯光,为您的家创造完美的氛围</source>
        <translation>您可以用手机控制和调节家里所有的灯光,为您的家创造完美的氛围</translation>
    </message>
    <message>
        <source>窗帘控制</source>
        <translation>窗帘控制</translation>
    </message>
    <message>
        <source>您可以在家里任何地方用手机开关窗帘,让更多的阳光照耀您的家</source>
        <translation>您可以在家里任何地方用手机开关窗帘,让更多的阳光照耀您的家</translation>
    </message>
    <message>
        <source>场景一键操控</source>
        <translation>场景一键操控</translation>
    </message>
    <message>
        <source>您可以为家里的灯光和窗帘设置场景,并随时随地进行控制</source>
        <translation>您可以为家里的灯光和窗帘设置场景,并随时随地进行控制</translation>
    </message>
    <message>
        <source>现在
开启您的智能家居之旅吧</source>
        <translation>现在
开启您的智能家居之旅吧</translation>
    </message>
    <message>
        <source>请将无线转发器通电并联网</source>
        <translation>请将无线转发器通电并联网</translation>
    </message>
    <message>
        <source>立即体验</source>
        <translation>立即体验</translation>
    </message>
</context>
<context>
    <name>WebRemote</name>
    <message>
        <source>Connecting…</source>
        <translation>正在连接…</translation>
    </message>
    <message>
        <source>Rooms of the home</source>
        <translation>家中的功能</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>The bridge backs the home up every night and before a synchronization that removes devices. Keep a copy off this computer: download one.</source>
        <translation>桥接器每晚以及在会删除设备的同步之前备份家庭。请在这台电脑之外保留一份：下载一个备份。</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>立即备份</translation>
    </message>
    <message>
        <source>Restore from a file</source>
        <translation>从文件恢复</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Restore the home from %1? Its devices, names, scenarios and paired phones replace the ones here; the home as it is now is kept as a backup.</source>
        <translation>从 %1 恢复家庭？其中的设备、名称、场景和已配对的手机将替换这里的；当前的家庭会保留为一个备份。</translation>
    </message>
    <message>
        <source>Restoring the home…</source>
        <translation>正在恢复家庭…</translation>
    </message>
    <message>
        <source>The home was restored. The bridge starts again on it.</source>
        <translation>家庭已恢复。桥接器正在以它重新启动。</translation>
    </message>
    <message>
        <source>This backup cannot be restored</source>
        <translation>无法恢复此备份</translation>
    </message>
    <message>
        <source>The backup is larger than 8 MB: restore it with ardentia-ctl restore.</source>
        <translation>备份大于 8 MB：请使用 ardentia-ctl restore 恢复。</translation>
    </message>
    <message>
        <source>The backup could not be made.</source>
        <translation>无法创建备份。</translation>
    </message>
    <message>
        <source>Backup made</source>
        <translation>备份已创建</translation>
    </message>
    <message>
        <source>No backups yet</source>
        <translation>还没有备份</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Download the backup of %1</source>
        <translation>下载 %1 的备份</translation>
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
        <translation>已打开</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开%1</translation>
    </message>
    <message>
        <source>Stop %1</source>
        <translation>停止%1</translation>
    </message>
    <message>
        <source>Close %1</source>
        <translation>关闭%1</translation>
    </message>
    <message>
        <source>Turn on %1</source>
        <translation>打开%1</translation>
    </message>
    <message>
        <source>Turn off %1</source>
        <translation>关闭%1</translation>
    </message>
    <message>
        <source>%1 brightness</source>
        <translation>%1亮度</translation>
    </message>
    <message>
        <source>waiting for the master</source>
        <translation>等待主转发器</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Not connected to the home.</source>
        <translation>未连接到家。</translation>
    </message>
    <message>
        <source>The home did not take the command.</source>
        <translation>家没有接受该命令。</translation>
    </message>
    <message>
        <source>Synchronize Data failed.</source>
        <translation>同步数据失败。</translation>
    </message>
    <message>
        <source>Not paired</source>
        <translation>未配对</translation>
    </message>
    <message>
        <source>Pair this device first: on the home&apos;s computer run &quot;ardentia-ctl web-pair&quot; and open the link it shows.</source>
        <translation>请先配对此设备：在家中的电脑上运行“ardentia-ctl web-pair”，然后打开它显示的链接。</translation>
    </message>
    <message>
        <source>Link not valid</source>
        <translation>链接无效</translation>
    </message>
    <message>
        <source>This pairing link was used already or has expired. Run &quot;ardentia-ctl web-pair&quot; again for a new one.</source>
        <translation>此配对链接已被使用或已过期。请再次运行“ardentia-ctl web-pair”获取新的链接。</translation>
    </message>
    <message>
        <source>The home&apos;s data cannot be read just now. Trying again…</source>
        <translation>暂时无法读取家庭数据,正在重试…</translation>
    </message>
    <message>
        <source>A name cannot hold &quot;,&quot;, &quot;\n&quot; or line breaks.</source>
        <translation>名称不能包含“,”、“\n”或换行。</translation>
    </message>
    <message>
        <source>Only the owner&apos;s devices can do this. This device is a family member&apos;s.</source>
        <translation>只有主人的设备可以执行此操作。此设备是家庭成员的设备。</translation>
    </message>
    <message>
        <source>This device is not in the home.</source>
        <translation>此设备不在家中。</translation>
    </message>
    <message>
        <source>Chosen devices</source>
        <translation>已选设备</translation>
    </message>
    <message>
        <source>The home is busy with another change. Try again shortly.</source>
        <translation>家庭正在进行另一项更改，请稍后再试。</translation>
    </message>
    <message>
        <source>This question has been answered already.</source>
        <translation>此问题已经回答过了。</translation>
    </message>
    <message>
        <source>This scenario is not in the home.</source>
        <translation>此情景不在家中。</translation>
    </message>
    <message>
        <source>A chosen device cannot keep that state in a scenario.</source>
        <translation>所选设备无法在情景中保持该状态。</translation>
    </message>
    <message>
        <source>Choose one of the pictures.</source>
        <translation>请选择其中一张图片。</translation>
    </message>
    <message>
        <source>Scan the device&apos;s code first.</source>
        <translation>请先扫描设备上的条码。</translation>
    </message>
    <message>
        <source>The photo is larger than 8 MB.</source>
        <translation>照片大于8 MB。</translation>
    </message>
    <message>
        <source>Only a JPEG, PNG or WebP photo can be read.</source>
        <translation>只能读取JPEG、PNG或WebP照片。</translation>
    </message>
    <message>
        <source>No code could be read in the photo.</source>
        <translation>照片中未能读出条码。</translation>
    </message>
    <message>
        <source>The photo could not be saved.</source>
        <translation>照片无法保存。</translation>
    </message>
    <message>
        <source>Run %1</source>
        <translation>运行%1</translation>
    </message>
    <message>
        <source>Quick control</source>
        <translation>快捷控制</translation>
    </message>
    <message>
        <source>Other photos are being sent. Try again in a moment.</source>
        <translation>其他照片正在发送中，请稍后再试。</translation>
    </message>
    <message>
        <source>This scenario was just changed on another device. It is shown as it is now: make your change again.</source>
        <translation>此场景刚在另一台设备上被修改，现显示其最新设置，请重新修改。</translation>
    </message>
    <message>
        <source>Scan with the camera</source>
        <translation>用摄像头扫描</translation>
    </message>
    <message>
        <source>The camera could not be opened.</source>
        <translation>无法打开摄像头。</translation>
    </message>
    <message>
        <source>This device sent too many commands at once. Wait a moment and try again.</source>
        <translation>此设备一次发送的命令过多，请稍等片刻再试。</translation>
    </message>
    <message>
        <source>Remove &quot;%1&quot; from the home?</source>
        <translation>从家中删除“%1”?</translation>
    </message>
    <message>
        <source>Edit or delete %1</source>
        <translation>编辑或删除%1</translation>
    </message>
    <message>
        <source>Schedules</source>
        <translation>定时</translation>
    </message>
    <message>
        <source>Add schedule</source>
        <translation>添加定时</translation>
    </message>
    <message>
        <source>Change schedule</source>
        <translation>修改定时</translation>
    </message>
    <message>
        <source>No schedules yet</source>
        <translation>暂无定时</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>执行内容</translation>
    </message>
    <message>
        <source>Run a scenario</source>
        <translation>运行场景</translation>
    </message>
    <message>
        <source>Switch a light on or off</source>
        <translation>打开或关闭灯光</translation>
    </message>
    <message>
        <source>Set a dimmer&apos;s level</source>
        <translation>设置调光亮度</translation>
    </message>
    <message>
        <source>Open, close or stop a curtain</source>
        <translation>打开、关闭或停止窗帘</translation>
    </message>
    <message>
        <source>Switch to</source>
        <translation>切换为</translation>
    </message>
    <message>
        <source>Level (0 to 100 %)</source>
        <translation>亮度（0 到 100 %）</translation>
    </message>
    <message>
        <source>When</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>At a time of day</source>
        <translation>每天的某个时间</translation>
    </message>
    <message>
        <source>At sunrise</source>
        <translation>日出时</translation>
    </message>
    <message>
        <source>At sunset</source>
        <translation>日落时</translation>
    </message>
    <message>
        <source>Once, on a date</source>
        <translation>某日一次</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Minutes after (+) or before (-), up to 180</source>
        <translation>提前（-）或推后（+）的分钟数，最多 180</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>星期</translation>
    </message>
    <message>
        <source>The home&apos;s location</source>
        <translation>住宅位置</translation>
    </message>
    <message>
        <source>Sunrise and sunset are reckoned from where the home is.</source>
        <translation>日出和日落时间按住宅所在位置计算。</translation>
    </message>
    <message>
        <source>Latitude in degrees (north +, south -)</source>
        <translation>纬度（度，北 +，南 -）</translation>
    </message>
    <message>
        <source>Longitude in degrees (east +, west -)</source>
        <translation>经度（度，东 +，西 -）</translation>
    </message>
    <message>
        <source>The home&apos;s location: %1, %2</source>
        <translation>住宅位置：%1, %2</translation>
    </message>
    <message>
        <source>The home&apos;s location is not set.</source>
        <translation>尚未设置住宅位置。</translation>
    </message>
    <message>
        <source>Delete the schedule &quot;%1&quot;?</source>
        <translation>删除定时“%1”？</translation>
    </message>
    <message>
        <source>Schedule saved</source>
        <translation>定时已保存</translation>
    </message>
    <message>
        <source>Schedule deleted</source>
        <translation>定时已删除</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
</context>
</TS>
