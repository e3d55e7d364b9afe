<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <source>Reminder</source>
        <translation>温馨提示</translation>
    </message>
    <message>
        <source>Please power on device before connect</source>
        <translation>连接前请先给设备通电</translation>
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
</context>
<context>
    <name>HomeActions</name>
    <message>
        <source>Clean all successful</source>
        <translation>清除全部数据成功</translation>
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
    <name>HomeViewController</name>
    <message>
        <source>Home</source>
        <translation>首页</translation>
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
    <name>ParentPresentViewController</name>
    <message>
        <source>Maximum 20 bytes</source>
        <translation>最多20个字符</translation>
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
    <name>SceneViewController</name>
    <message>
        <source>Scenario</source>
        <translation>情景</translation>
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
        <source>Reminder</source>
        <translation>温馨提示</translation>
    </message>
    <message>
        <source>Please power on device before connect</source>
        <translation>连接前请先给设备通电</translation>
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
        <source>Control failed</source>
        <translation>控制失败</translation>
    </message>
    <message>
        <source>Please check device and network</source>
        <translation>请检查设备和网络</translation>
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
</context>
<context>
    <name>VtActionSheet</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>VtImageLibSheet</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
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
</TS>
