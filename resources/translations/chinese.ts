<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>AllMuteCmdWidget</name>
    <message>
        <source>All Mute</source>
        <translation>全部静音</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>CommandToolWidget</name>
    <message>
        <source>Hexadecimal Protocol Tool V1.0.1</source>
        <translation>十六进制协议工具 V1.0.1</translation>
    </message>
    <message>
        <source>RS232 Baud Rate : 115200 (Default)
TCP Port : 2698</source>
        <translation>RS232 波特率 : 115200 (默认)
TCP 端口 : 2698</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>All Mute</source>
        <translation>全部静音</translation>
    </message>
    <message>
        <source>Command :</source>
        <translation>指令 :</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
</context>
<context>
    <name>ConnectTimeoutBox</name>
    <message>
        <source>Connection Timeout</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC's IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</source>
        <translation>* 连接超时！
* 请检查网络连接！
* 请确认电脑与设备在同一网段！
* 请确认没有其他设备与该设备IP冲突！
  可以尝试修改电脑IP或设备IP。
  右键点击设备，即可修改其IP。</translation>
    </message>
    <message>
        <source>Modify device IP immediately</source>
        <translation>立即修改设备IP</translation>
    </message>
    <message>
        <source>Do not remind again</source>
        <translation>不再提醒</translation>
    </message>
</context>
<context>
    <name>DeviceTableModel</name>
    <message>
        <source>%dday %02d:%02d:%02d</source>
        <translation>%d天 %02d:%02d:%02d</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Online(Connected)</source>
        <translation>在线(已连接)</translation>
    </message>
    <message>
        <source>Online(Disconnected)</source>
        <translation>在线(未连接)</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>设备ID</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Device model</source>
        <translation>设备型号</translation>
    </message>
    <message>
        <source>ARM ver</source>
        <translation>ARM版本</translation>
    </message>
    <message>
        <source>DSP ver</source>
        <translation>DSP版本</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Device SN</source>
        <translation>设备序列号</translation>
    </message>
    <message>
        <source>Net Status</source>
        <translation>网络状态</translation>
    </message>
    <message>
        <source>Runing time</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <source>Total time</source>
        <translation>总运行时间</translation>
    </message>
</context>
<context>
    <name>FactoryTestWindow</name>
    <message>
        <source>Factory Test</source>
        <translation>工厂测试</translation>
    </message>
    <message>
        <source>All inputs: Mic + 48V</source>
        <translation>全部输入：话筒 + 48V</translation>
    </message>
    <message>
        <source>All inputs: Line</source>
        <translation>全部输入：线路</translation>
    </message>
    <message>
        <source>Mute all inputs</source>
        <translation>全部输入静音</translation>
    </message>
    <message>
        <source>Unmute all inputs</source>
        <translation>全部输入取消静音</translation>
    </message>
    <message>
        <source>All gains 0.0 dB</source>
        <translation>全部增益 0.0 dB</translation>
    </message>
    <message>
        <source>All gains to maximum</source>
        <translation>全部增益最大</translation>
    </message>
    <message>
        <source>All inputs set to Mic with 48V.</source>
        <translation>全部输入已设为话筒并开启48V。</translation>
    </message>
    <message>
        <source>All inputs set to Line.</source>
        <translation>全部输入已设为线路。</translation>
    </message>
    <message>
        <source>All inputs muted.</source>
        <translation>全部输入已静音。</translation>
    </message>
    <message>
        <source>All inputs unmuted.</source>
        <translation>全部输入已取消静音。</translation>
    </message>
    <message>
        <source>Gains set; they are sent 100 ms after this change.</source>
        <translation>增益已设置，将在100毫秒后发送。</translation>
    </message>
</context>
<context>
    <name>FuncWidget</name>
    <message>
        <source>In Setup</source>
        <translation>输入设置</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>门限</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>自动增益</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>反馈抑制</translation>
    </message>
    <message>
        <source>In Filter</source>
        <translation>输入滤波</translation>
    </message>
    <message>
        <source>In Limiter</source>
        <translation>输入限幅</translation>
    </message>
    <message>
        <source>In Delay</source>
        <translation>输入延时</translation>
    </message>
    <message>
        <source>Pre Level</source>
        <translation>混音前电平</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>矩阵</translation>
    </message>
    <message>
        <source>AEC</source>
        <translation>回声消除</translation>
    </message>
    <message>
        <source>Automixer</source>
        <translation>自动混音</translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation>输出电平</translation>
    </message>
    <message>
        <source>Out Filter</source>
        <translation>输出滤波</translation>
    </message>
    <message>
        <source>ANC</source>
        <translation>降噪</translation>
    </message>
    <message>
        <source>Out Limiter</source>
        <translation>输出限幅</translation>
    </message>
    <message>
        <source>Out Delay</source>
        <translation>输出延时</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
</context>
<context>
    <name>LevelCmdWidget</name>
    <message>
        <source>Channel :</source>
        <translation>通道 :</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>Gain(Fixed Value)</source>
        <translation>增益(固定值)</translation>
    </message>
    <message>
        <source>Gain accumulation/subtract consecutively</source>
        <translation>增益连续增减</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
    <message>
        <source>Output </source>
        <translation>输出 </translation>
    </message>
    <message>
        <source>Input </source>
        <translation>输入 </translation>
    </message>
</context>
<context>
    <name>LevelPage</name>
    <message>
        <source>Gain(dB)</source>
        <translation>增益(dB)</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>优先</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>编组</translation>
    </message>
</context>
<context>
    <name>LoginCmdWidget</name>
    <message>
        <source>Login(TCP protocol need to login to control, RS232 without login)</source>
        <translation>登录(TCP协议需要登录才能控制，RS232无需登录)</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>密码 :</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
    <message>
        <source>The password contains characters that cannot be sent: only Latin-1 characters are allowed. No command was generated.</source>
        <translation>密码包含无法发送的字符：只允许Latin-1字符。未生成指令。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Digital Audio Processor</source>
        <translation>数字音频处理器</translation>
    </message>
    <message>
        <source>Language1</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Language2</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Update ARM Firmware</source>
        <translation>升级ARM固件</translation>
    </message>
    <message>
        <source>Update DSP Firmware</source>
        <translation>升级DSP固件</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Language3</source>
        <translation type="unfinished">中文 {3?}</translation>
    </message>
    <message>
        <source>Language4</source>
        <translation type="unfinished">中文 {4?}</translation>
    </message>
    <message>
        <source>Language5</source>
        <translation type="unfinished">中文 {5?}</translation>
    </message>
    <message>
        <source>Password Set</source>
        <translation>密码设置</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>恢复出厂</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Command Tool</source>
        <translation>指令工具</translation>
    </message>
    <message>
        <source>High DPI Scaling</source>
        <translation>高DPI缩放</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Disabling high DPI scaling and the application will keep the default size.

</source>
        <translation>关闭高DPI缩放后，程序将保持默认尺寸。

</translation>
    </message>
    <message>
        <source>Need to restart the application to take effect, are you sure that you want to restart now?</source>
        <translation>需要重启程序才能生效，确定现在重启吗？</translation>
    </message>
    <message>
        <source>Restart to take effect</source>
        <translation>重启生效</translation>
    </message>
    <message>
        <source>Restart immediately to take effect</source>
        <translation>立即重启生效</translation>
    </message>
    <message>
        <source>No, take effect at next startup</source>
        <translation>否，下次启动时生效</translation>
    </message>
</context>
<context>
    <name>MeterWidget</name>
    <message>
        <source>Meter</source>
        <translation>电平表</translation>
    </message>
    <message>
        <source>Input Pre Fader</source>
        <translation>输入推子前</translation>
    </message>
    <message>
        <source>Input Post Fader</source>
        <translation>输入推子后</translation>
    </message>
    <message>
        <source>Output Pre Fader</source>
        <translation>输出推子前</translation>
    </message>
    <message>
        <source>Output Post Fader</source>
        <translation>输出推子后</translation>
    </message>
</context>
<context>
    <name>PlaceholderPage</name>
    <message>
        <source>The %1 page is not available in this version.</source>
        <translation>此版本暂不提供%1页面。</translation>
    </message>
</context>
<context>
    <name>PresetCmdWidget</name>
    <message>
        <source>Preset Recall</source>
        <translation>调用预设</translation>
    </message>
    <message>
        <source>Preset Number :</source>
        <translation>预设编号 :</translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation>生成指令</translation>
    </message>
</context>
<context>
    <name>QChannelSelect</name>
    <message>
        <source>Select Channel</source>
        <translation>选择通道</translation>
    </message>
    <message>
        <source>Input channel</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>Output channel</source>
        <translation>输出通道</translation>
    </message>
</context>
<context>
    <name>QDevLabel</name>
    <message>
        <source>Input Label</source>
        <translation>输入标签</translation>
    </message>
    <message>
        <source>Output Label</source>
        <translation>输出标签</translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation>触摸屏标签</translation>
    </message>
    <message>
        <source>IN %1:</source>
        <translation>输入 %1:</translation>
    </message>
</context>
<context>
    <name>QDeviceItem</name>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Fault flags: 0x%1</source>
        <translation>故障标志：0x%1</translation>
    </message>
</context>
<context>
    <name>QDeviceList</name>
    <message>
        <source>IP Setting</source>
        <translation>IP设置</translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation>移除设备</translation>
    </message>
</context>
<context>
    <name>QDeviceTable</name>
    <message>
        <source>Cannot open database</source>
        <translation>无法打开数据库</translation>
    </message>
    <message>
        <source>Unable to establish a database connection.
This example needs SQLite support. Please read the Qt SQL driver documentation for information how to build it.

Click Cancel to exit.</source>
        <translation>无法建立数据库连接。
需要SQLite支持，请参阅Qt SQL驱动文档了解如何构建。

点击取消退出。</translation>
    </message>
    <message>
        <source>IP Setting</source>
        <translation>IP设置</translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation>移除设备</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Double-click a unit to connect to it; right-click it to change its IP address or remove it from the list.</source>
        <translation>双击设备进行连接；右键点击可修改其IP地址或从列表中移除。</translation>
    </message>
</context>
<context>
    <name>QInLevel</name>
    <message>
        <source>Mic</source>
        <translation>话筒</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>线路</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Gain(dBu)</source>
        <translation>增益(dBu)</translation>
    </message>
</context>
<context>
    <name>QIpSetting</name>
    <message>
        <source>ip Settings</source>
        <translation>IP设置</translation>
    </message>
    <message>
        <source>IP addr :</source>
        <translation>IP地址 :</translation>
    </message>
    <message>
        <source>Subnet :</source>
        <translation>子网掩码 :</translation>
    </message>
    <message>
        <source>Gateway :</source>
        <translation>网关 :</translation>
    </message>
</context>
<context>
    <name>QLogin</name>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Enter password to login</source>
        <translation>请输入密码登录</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
</context>
<context>
    <name>QOverView</name>
    <message>
        <source>SN :</source>
        <translation>序列号 :</translation>
    </message>
    <message>
        <source>DSP Usage :</source>
        <translation>DSP占用 :</translation>
    </message>
    <message>
        <source>ARM Ver :</source>
        <translation>ARM版本 :</translation>
    </message>
    <message>
        <source>DSP Ver :</source>
        <translation>DSP版本 :</translation>
    </message>
    <message>
        <source>Location :</source>
        <translation>位置 :</translation>
    </message>
    <message>
        <source>Description :</source>
        <translation>描述 :</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Unconnected</source>
        <translation>未连接</translation>
    </message>
</context>
<context>
    <name>QPSWModDialog</name>
    <message>
        <source>Modify password</source>
        <translation>修改密码</translation>
    </message>
    <message>
        <source>New password :</source>
        <translation>新密码 :</translation>
    </message>
    <message>
        <source>Confirm :</source>
        <translation>确认 :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>