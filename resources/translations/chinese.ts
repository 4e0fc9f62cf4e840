<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ANCWidget</name>
    <message>
        <source>Disabled</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>弱</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>强</translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation>最强</translation>
    </message>
    <message>
        <source>Noise Reduction</source>
        <translation>降噪</translation>
    </message>
    <message>
        <source>Channel Enabled :</source>
        <translation>启用通道 :</translation>
    </message>
    <message>
        <source>Noise Reduction Level :</source>
        <translation>降噪等级 :</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <source>Noise reduction channel</source>
        <translation>降噪通道</translation>
    </message>
    <message>
        <source>Noise reduction level</source>
        <translation>降噪等级</translation>
    </message>
</context>
<context>
    <name>Accessibility</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 到 %2</translation>
    </message>
    <message>
        <source>on</source>
        <translation>开</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>门限</translation>
    </message>
    <message>
        <source>open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>closed</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Limiter transfer chart</source>
        <translation>限幅器传输曲线</translation>
    </message>
    <message>
        <source>bypassed: output follows input</source>
        <translation>已旁通：输出等于输入</translation>
    </message>
    <message>
        <source>threshold %1, ratio %2:1</source>
        <translation>阈值 %1，比率 %2:1</translation>
    </message>
    <message>
        <source>Automatic gain control graph</source>
        <translation>自动增益控制曲线</translation>
    </message>
    <message>
        <source>threshold %1, target %2, ratio %3:1</source>
        <translation>阈值 %1，目标 %2，比率 %3:1</translation>
    </message>
    <message>
        <source>Filter response</source>
        <translation>滤波器响应</translation>
    </message>
    <message>
        <source>no handle selected</source>
        <translation>未选择控制点</translation>
    </message>
    <message>
        <source>, level</source>
        <translation>，电平</translation>
    </message>
</context>
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
    <name>ChannelRecordPage</name>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Copy to</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>输出通道</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>OUT %1 : </source>
        <translation>OUT %1 : </translation>
    </message>
    <message>
        <source>IN %1 : </source>
        <translation>IN %1 : </translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Clear all setting?</source>
        <translation>清除所有设置？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Copy %1 to other channels</source>
        <translation>复制 %1 到其他通道</translation>
    </message>
    <message>
        <source>%1 reset</source>
        <translation>%1 复位</translation>
    </message>
    <message>
        <source>transfer chart</source>
        <translation>传输曲线</translation>
    </message>
</context>
<context>
    <name>ChartFrame</name>
    <message>
        <source>Input (dB)</source>
        <translation>输入 (dB)</translation>
    </message>
    <message>
        <source>Output (dB)</source>
        <translation>输出 (dB)</translation>
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
  You can try to modify the PC&apos;s IP or device IP.
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
    <name>CrosspointGrid</name>
    <message>
        <source>Crosspoints</source>
        <translation>交叉点</translation>
    </message>
</context>
<context>
    <name>CutFilterPanel</name>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Slope</source>
        <translation>斜率</translation>
    </message>
    <message>
        <source>Freq.(Hz)</source>
        <translation>频率(Hz)</translation>
    </message>
    <message>
        <source>Bessel</source>
        <translation>贝塞尔</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>巴特沃斯</translation>
    </message>
    <message>
        <source>Link-Riley</source>
        <translation>林克维茨-瑞利</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>频率</translation>
    </message>
</context>
<context>
    <name>DelayPage</name>
    <message>
        <source>Millisecond</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>Meters</source>
        <translation>米</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>英尺</translation>
    </message>
    <message>
        <source>delay</source>
        <translation>延时</translation>
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
        <source>Total time</source>
        <translation>总运行时间</translation>
    </message>
    <message>
        <source>Runing time</source>
        <translation>运行时间</translation>
    </message>
</context>
<context>
    <name>EqFile</name>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>ON or OFF expected</source>
        <translation>应为 ON 或 OFF</translation>
    </message>
    <message>
        <source>no filter type</source>
        <translation>缺少滤波器类型</translation>
    </message>
    <message>
        <source>a shelf slope is written in dB</source>
        <translation>搁架斜率须以 dB 表示</translation>
    </message>
    <message>
        <source>a shelf slope must lie above 0 and at most 12 dB/oct</source>
        <translation>搁架斜率须大于 0 且不超过 12 dB/oct</translation>
    </message>
    <message>
        <source>no number after &quot;%1&quot;</source>
        <translation>“%1”后缺少数值</translation>
    </message>
    <message>
        <source>&quot;%1 %2&quot; is not a value of a %3 filter</source>
        <translation>“%1 %2”不是 %3 滤波器的参数</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation>“%1”出现了两次</translation>
    </message>
    <message>
        <source>no frequency (Fc)</source>
        <translation>缺少频率（Fc）</translation>
    </message>
    <message>
        <source>the frequency must be above 0 Hz</source>
        <translation>频率须大于 0 Hz</translation>
    </message>
    <message>
        <source>no gain</source>
        <translation>缺少增益</translation>
    </message>
    <message>
        <source>a %1 filter takes no gain</source>
        <translation>%1 滤波器没有增益</translation>
    </message>
    <message>
        <source>a first-order filter takes no Q</source>
        <translation>一阶滤波器没有 Q 值</translation>
    </message>
    <message>
        <source>no Q</source>
        <translation>缺少 Q 值</translation>
    </message>
    <message>
        <source>a shelf takes a slope or a Q, not both</source>
        <translation>搁架滤波器只能给出斜率或 Q 值之一</translation>
    </message>
    <message>
        <source>the Q must be above 0 and a bandwidth at most 10 octaves</source>
        <translation>Q 值须大于 0，带宽不超过 10 个倍频程</translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB</source>
        <translation>文件大于 1 MiB</translation>
    </message>
    <message>
        <source>longer than %1 characters</source>
        <translation>超过 %1 个字符</translation>
    </message>
    <message>
        <source>more than %1 filters</source>
        <translation>滤波器多于 %1 个</translation>
    </message>
    <message>
        <source>a Preamp line needs a gain in dB</source>
        <translation>前级增益行须给出以 dB 表示的增益</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 不存在</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 不是普通文件</translation>
    </message>
    <message>
        <source>%1 is larger than 1 MiB</source>
        <translation>%1 大于 1 MiB</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>EqImport</name>
    <message>
        <source>Bessel</source>
        <translation>贝塞尔</translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation>巴特沃斯</translation>
    </message>
    <message>
        <source>Link-Riley</source>
        <translation>林克维茨-瑞利</translation>
    </message>
    <message>
        <source>the filter block has no filter of this type</source>
        <translation>滤波器模块没有这种类型的滤波器</translation>
    </message>
    <message>
        <source>the filter block has no gain of its own; set the channel&apos;s level instead</source>
        <translation>滤波器模块本身没有增益，请改为调节该通道的电平</translation>
    </message>
    <message>
        <source>a command the filter block does not follow; every filter of the file is placed on this channel</source>
        <translation>滤波器模块不执行此命令，文件中的所有滤波器都放在本通道上</translation>
    </message>
    <message>
        <source>its frequency lies outside what the block takes (%1 to %2 Hz)</source>
        <translation>频率超出模块范围（%1 至 %2 Hz）</translation>
    </message>
    <message>
        <source>its gain lies outside what a band takes (%1 to %2 dB)</source>
        <translation>增益超出频段范围（%1 至 %2 dB）</translation>
    </message>
    <message>
        <source>its Q lies outside what a band takes (%1 to %2)</source>
        <translation>Q 值超出频段范围（%1 至 %2）</translation>
    </message>
    <message>
        <source>switched off in the file, and no band is left for it</source>
        <translation>文件中已关闭，且没有剩余频段</translation>
    </message>
    <message>
        <source>no band is left for it (the unit has %1 bands)</source>
        <translation>没有剩余频段（设备有 %1 个频段）</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>参量均衡</translation>
    </message>
    <message>
        <source>LowShelf</source>
        <translation>低架</translation>
    </message>
    <message>
        <source>HighShelf</source>
        <translation>高架</translation>
    </message>
    <message>
        <source>band %1: %2 %3 Hz %4 dB</source>
        <translation>频段 %1：%2 %3 Hz %4 dB</translation>
    </message>
    <message>
        <source> (a shelf&apos;s Q is always %1)</source>
        <translation>（搁架滤波器的 Q 值固定为 %1）</translation>
    </message>
    <message>
        <source>, switched off</source>
        <translation>，已关闭</translation>
    </message>
    <message>
        <source>band %1</source>
        <translation>频段 %1</translation>
    </message>
    <message>
        <source>bands %1 to %2</source>
        <translation>频段 %1 至 %2</translation>
    </message>
    <message>
        <source>not used by the file: switched off</source>
        <translation>文件未使用：已关闭</translation>
    </message>
    <message>
        <source>high-pass</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>low-pass</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>the unit has one %1 filter, taken by line %2</source>
        <translation>设备只有一个%1滤波器，已由第 %2 行使用</translation>
    </message>
    <message>
        <source>the file has none: switched off</source>
        <translation>文件中没有：已关闭</translation>
    </message>
    <message>
        <source>switched off</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>%1 %2 %3 dB/oct %4 Hz</source>
        <translation>%1 %2 %3 dB/oct %4 Hz</translation>
    </message>
    <message>
        <source>approximated: %1</source>
        <translation>近似：%1</translation>
    </message>
    <message>
        <source>not placed: %1</source>
        <translation>未放置：%1</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>%1: %2 placed as the file asks, %3 approximated, %4 not placed</source>
        <translation>%1：%2 个按文件放置，%3 个近似，%4 个未放置</translation>
    </message>
    <message>
        <source>largest deviation from the file&apos;s curve, 20 Hz to 20 kHz: %1 dB</source>
        <translation>与文件曲线的最大偏差（20 Hz 至 20 KHz）：%1 dB</translation>
    </message>
</context>
<context>
    <name>EqImportDialog</name>
    <message>
        <source>Import EQ: %1 to %2</source>
        <translation>导入均衡：%1 到 %2</translation>
    </message>
    <message>
        <source>file</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>%1 filters placed as the file asks, %2 approximated, %3 not placed.</source>
        <translation>%1 个滤波器按文件放置，%2 个近似，%3 个未放置。</translation>
    </message>
    <message>
        <source>Largest deviation from the file, 20 Hz to 20 kHz: %1 dB</source>
        <translation>与文件的最大偏差（20 Hz 至 20 KHz）：%1 dB</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>In the file</source>
        <translation>文件中</translation>
    </message>
    <message>
        <source>On the unit</source>
        <translation>设备上</translation>
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
    <name>FaultReport</name>
    <message>
        <source>Device Fault</source>
        <translation>设备故障</translation>
    </message>
    <message>
        <source>Found fault :</source>
        <translation>发现故障 :</translation>
    </message>
    <message>
        <source>DAC</source>
        <translation>DAC</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>闪存</translation>
    </message>
    <message>
        <source>Temp</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>See the Settings page for details.</source>
        <translation>详情请查看设置页面。</translation>
    </message>
</context>
<context>
    <name>FilterBandPanel</name>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation>参量均衡</translation>
    </message>
    <message>
        <source>LowShelf</source>
        <translation>低架</translation>
    </message>
    <message>
        <source>HighShelf</source>
        <translation>高架</translation>
    </message>
    <message>
        <source>Freq.(Hz)</source>
        <translation>频率(Hz)</translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation>增益(dB)</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q值</translation>
    </message>
    <message>
        <source>band %1</source>
        <translation>频段 %1</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Q: the sharpness of the band; higher values affect a narrower range of frequencies</source>
        <translation>Q：频段的锐度；数值越大，影响的频率范围越窄</translation>
    </message>
    <message>
        <source>PEQ: peaking filter; LowShelf and HighShelf raise or lower everything below or above the frequency</source>
        <translation>参量均衡：峰值滤波器；低架和高架提升或衰减该频率以下或以上的全部信号</translation>
    </message>
</context>
<context>
    <name>FilterGraph</name>
    <message>
        <source>Export response as CSV...</source>
        <translation>导出响应曲线为CSV...</translation>
    </message>
    <message>
        <source>Export picture as PNG...</source>
        <translation>导出图片为PNG...</translation>
    </message>
    <message>
        <source>Export response</source>
        <translation>导出响应曲线</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV文件 (*.csv)</translation>
    </message>
    <message>
        <source>Export picture</source>
        <translation>导出图片</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG图片 (*.png)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Could not write %1:
%2</source>
        <translation>无法写入 %1：
%2</translation>
    </message>
    <message>
        <source>Could not write %1.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>High-pass</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>Low-pass</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>Band %1</source>
        <translation>频段 %1</translation>
    </message>
    <message>
        <source>Import EQ...</source>
        <translation>导入均衡...</translation>
    </message>
    <message>
        <source>Export EQ...</source>
        <translation>导出均衡...</translation>
    </message>
</context>
<context>
    <name>FilterPage</name>
    <message>
        <source>High-Pass</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>Low-Pass</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>Copy to</source>
        <translation>复制到</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Copy %1 to other channels</source>
        <translation>复制 %1 到其他通道</translation>
    </message>
    <message>
        <source>%1 reset</source>
        <translation>%1 复位</translation>
    </message>
    <message>
        <source>IN %1 filter</source>
        <translation>IN %1 滤波器</translation>
    </message>
    <message>
        <source>OUT %1 filter</source>
        <translation>OUT %1 滤波器</translation>
    </message>
    <message>
        <source>Import EQ into %1</source>
        <translation>导入均衡到 %1</translation>
    </message>
    <message>
        <source>filter response</source>
        <translation>滤波器响应</translation>
    </message>
    <message>
        <source>Equaliser files (*.txt *.cfg);;All files (*)</source>
        <translation>均衡文件 (*.txt *.cfg);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The filters of %1 have not been read from the unit yet. Try again when the unit is connected and the page shows them.</source>
        <translation>尚未从设备读取 %1 的滤波器。请在设备连接且页面显示它们后重试。</translation>
    </message>
    <message>
        <source>Import EQ</source>
        <translation>导入均衡</translation>
    </message>
    <message>
        <source>Export EQ</source>
        <translation>导出均衡</translation>
    </message>
    <message>
        <source>%1 cannot be imported:
%2</source>
        <translation>无法导入 %1：
%2</translation>
    </message>
</context>
<context>
    <name>FirmwareUpgrade</name>
    <message>
        <source>Bad file format</source>
        <translation>文件格式错误</translation>
    </message>
    <message>
        <source>The file is too large for a firmware upgrade (at most %1 MiB).</source>
        <translation>文件过大，无法用于固件升级（最大 %1 MiB）。</translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation>无法打开文件。</translation>
    </message>
    <message>
        <source>updating...</source>
        <translation>正在升级...</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>这不是普通文件。</translation>
    </message>
    <message>
        <source>The file is empty; there is nothing to send.</source>
        <translation>文件为空，没有可发送的内容。</translation>
    </message>
    <message>
        <source>The unit acknowledged chunk %1, which was not sent; the upgrade did not finish.</source>
        <translation>设备确认了未发送的数据块 %1，升级未完成。</translation>
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
        <translation>噪声门</translation>
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
    <name>GainLimitPanel</name>
    <message>
        <source>Touch screen gain limit</source>
        <translation>触摸屏增益限制</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>最小值</translation>
    </message>
</context>
<context>
    <name>GeneratorPanel</name>
    <message>
        <source>PinkNoise</source>
        <translation>粉红噪声</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>正弦波</translation>
    </message>
    <message>
        <source>WhiteNoise</source>
        <translation>白噪声</translation>
    </message>
    <message>
        <source>Signal generator</source>
        <translation>信号发生器</translation>
    </message>
    <message>
        <source>Freq.(Hz)</source>
        <translation>频率(Hz)</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation>增益(dB)</translation>
    </message>
    <message>
        <source>Output Channel</source>
        <translation>输出通道</translation>
    </message>
    <message>
        <source>frequency (Hz)</source>
        <translation>频率 (Hz)</translation>
    </message>
    <message>
        <source>signal</source>
        <translation>信号类型</translation>
    </message>
    <message>
        <source>level</source>
        <translation>电平</translation>
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
    <message>
        <source>gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Invert the polarity of the signal</source>
        <translation>反转信号极性</translation>
    </message>
    <message>
        <source>Priority: this input is given precedence in the mix</source>
        <translation>优先：此输入在混音中优先</translation>
    </message>
    <message>
        <source>Link group: channels in the same group change mute, invert and gain together; &quot;-&quot; for none</source>
        <translation>联动组：同组通道的静音、反相和增益一起改变；“-”表示不联动</translation>
    </message>
</context>
<context>
    <name>LimiterPage</name>
    <message>
        <source>Thresh(dB)</source>
        <translation>阈值(dB)</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比率</translation>
    </message>
    <message>
        <source>Attack(ms)</source>
        <translation>启动(ms)</translation>
    </message>
    <message>
        <source>Decay(ms)</source>
        <translation>释放(ms)</translation>
    </message>
    <message>
        <source>Threshold: the level above which the gain is reduced</source>
        <translation>阈值：高于此电平时降低增益</translation>
    </message>
    <message>
        <source>Ratio: how many dB of input above the threshold give one dB of output</source>
        <translation>比率：超过阈值的输入多少 dB 得到 1 dB 输出</translation>
    </message>
    <message>
        <source>Attack: how fast the gain falls once the threshold is passed</source>
        <translation>启动时间：超过阈值后增益下降的快慢</translation>
    </message>
    <message>
        <source>Decay: how fast the gain comes back once the signal falls below the threshold</source>
        <translation>释放时间：信号低于阈值后增益恢复的快慢</translation>
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
        <translation>语言3</translation>
    </message>
    <message>
        <source>Language4</source>
        <translation>语言4</translation>
    </message>
    <message>
        <source>Language5</source>
        <translation>语言5</translation>
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
    <message>
        <source>Restore the factory settings will delete all user data!!!</source>
        <translation>恢复出厂设置将删除所有用户数据！！！</translation>
    </message>
    <message>
        <source>Do you want to reformat the disk and erase all data?</source>
        <translation>确定要格式化磁盘并清除所有数据吗？</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Find Files</source>
        <translation>选择文件</translation>
    </message>
    <message>
        <source>sbin Files (*.sbin)</source>
        <translation>sbin 文件 (*.sbin)</translation>
    </message>
    <message>
        <source>ldr Files (*.ldr)</source>
        <translation>ldr 文件 (*.ldr)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>工具</translation>
    </message>
    <message>
        <source>Protocol Trace</source>
        <translation>协议跟踪</translation>
    </message>
    <message>
        <source>%1: what was done before can no longer be undone.</source>
        <translation>%1：之前的操作已无法撤销。</translation>
    </message>
    <message>
        <source>The unit was reset to its factory settings</source>
        <translation>设备已恢复出厂设置</translation>
    </message>
</context>
<context>
    <name>MatrixMixValueWidget</name>
    <message>
        <source>Mixer value</source>
        <translation>混音增益</translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation>增益(dB)</translation>
    </message>
    <message>
        <source>Gain of the selected crosspoints</source>
        <translation>所选交叉点的增益</translation>
    </message>
    <message>
        <source>Crosspoints</source>
        <translation>交叉点</translation>
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
    <name>PresetTransfer</name>
    <message>
        <source>ERROR</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The file %1 cannot be written: %2</source>
        <translation>无法写入文件 %1：%2</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>正在导出...</translation>
    </message>
    <message>
        <source>The unit sent no data; the export did not finish.</source>
        <translation>设备未发送数据，导出未完成。</translation>
    </message>
    <message>
        <source>preset file format error!</source>
        <translation>预设文件格式错误！</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>正在导入...</translation>
    </message>
    <message>
        <source>The unit took more bytes than were sent; the import did not finish.</source>
        <translation>设备接收的字节数多于已发送的字节数，导入未完成。</translation>
    </message>
    <message>
        <source>The file %1 cannot be read: %2</source>
        <translation>无法读取文件 %1：%2</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>文件 %1 不存在。</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 不是普通文件。</translation>
    </message>
    <message>
        <source>The file has %1 bytes; a file of all presets has at most %2.</source>
        <translation>文件有 %1 字节；全部预设文件最多 %2 字节。</translation>
    </message>
    <message>
        <source>The file has %1 bytes; a file of one preset has at most %2.</source>
        <translation>文件有 %1 字节；单个预设文件最多 %2 字节。</translation>
    </message>
    <message>
        <source>The file has %1 bytes, fewer than the %2 of a preset&apos;s header.</source>
        <translation>文件有 %1 字节，少于预设文件头的 %2 字节。</translation>
    </message>
    <message>
        <source>The file has %1 bytes, which are not %2 records of at least %3 bytes each.</source>
        <translation>文件有 %1 字节，不是 %2 条每条至少 %3 字节的记录。</translation>
    </message>
    <message>
        <source>The unit announced a preset image of %1 bytes; at most %2 bytes are taken.</source>
        <translation>设备报告的预设数据为 %1 字节；最多接受 %2 字节。</translation>
    </message>
    <message>
        <source>The unit expects %1 bytes; the file has %2.</source>
        <translation>设备需要 %1 字节；文件有 %2 字节。</translation>
    </message>
    <message>
        <source>The unit took none of the %1 bytes sent; the import did not finish.</source>
        <translation>设备未接收已发送的 %1 字节中的任何数据，导入未完成。</translation>
    </message>
</context>
<context>
    <name>QAGCWidget</name>
    <message>
        <source>Thresh(dB)</source>
        <translation>阈值(dB)</translation>
    </message>
    <message>
        <source>Target(dB)</source>
        <translation>目标(dB)</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比率</translation>
    </message>
    <message>
        <source>Attack(ms)</source>
        <translation>启动(ms)</translation>
    </message>
    <message>
        <source>Decay(ms)</source>
        <translation>释放(ms)</translation>
    </message>
    <message>
        <source>Threshold: signals below this level are not raised</source>
        <translation>阈值：低于此电平的信号不被提升</translation>
    </message>
    <message>
        <source>Ratio: how many dB of input above the threshold give one dB of output</source>
        <translation>比率：超过阈值的输入多少 dB 得到 1 dB 输出</translation>
    </message>
    <message>
        <source>Attack: how fast the gain falls once the threshold is passed</source>
        <translation>启动时间：超过阈值后增益下降的快慢</translation>
    </message>
    <message>
        <source>Decay: how fast the gain comes back once the signal falls below the threshold</source>
        <translation>释放时间：信号低于阈值后增益恢复的快慢</translation>
    </message>
    <message>
        <source>Target: the level the gain control holds the signal at</source>
        <translation>目标：增益控制将信号保持在此电平</translation>
    </message>
</context>
<context>
    <name>QAec</name>
    <message>
        <source>From
Video conference
terminal audio</source>
        <translation>来自
视频会议
终端的音频</translation>
    </message>
    <message>
        <source>To
Video conference
terminal audio</source>
        <translation>送往
视频会议
终端的音频</translation>
    </message>
    <message>
        <source>IN CH3-16
Local conference
audio source</source>
        <translation>输入通道3-16
本地会议
音源</translation>
    </message>
    <message>
        <source>OUT CH3-16
Local conference
Amplifier</source>
        <translation>输出通道3-16
本地会议
功放</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Enable echo cancellation</source>
        <translation>启用回声消除</translation>
    </message>
</context>
<context>
    <name>QAutoMixer</name>
    <message>
        <source>Auto En</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Thresh(dB)</source>
        <translation>阈值(dB)</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Nom level :</source>
        <translation>衰减步进 :</translation>
    </message>
    <message>
        <source>Mic counts :</source>
        <translation>开启话筒数 :</translation>
    </message>
    <message>
        <source>Total nom :</source>
        <translation>总衰减 :</translation>
    </message>
    <message>
        <source>automatic mixing</source>
        <translation>自动混音</translation>
    </message>
    <message>
        <source>gate open</source>
        <translation>门限打开</translation>
    </message>
    <message>
        <source>threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>attenuation</source>
        <translation>衰减</translation>
    </message>
    <message>
        <source>Nominal level</source>
        <translation>标称电平</translation>
    </message>
    <message>
        <source>Auto enable: this input takes part in the automixer</source>
        <translation>自动启用：此输入参与自动混音</translation>
    </message>
    <message>
        <source>Threshold of the input&apos;s gate, shared with the Gate page</source>
        <translation>此输入噪声门的阈值，与噪声门页面共用</translation>
    </message>
    <message>
        <source>Apply the automixer&apos;s attenuation to this output</source>
        <translation>对此输出施加自动混音的衰减</translation>
    </message>
    <message>
        <source>Number of open microphones: the attenuation in dB for each open microphone beyond the first</source>
        <translation>开启话筒数衰减：第一个之外每多开启一个话筒衰减的 dB 数</translation>
    </message>
    <message>
        <source>How many inputs&apos; gates are open now</source>
        <translation>当前开启噪声门的输入数</translation>
    </message>
    <message>
        <source>Total attenuation for the microphones open now</source>
        <translation>当前开启话筒的总衰减</translation>
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
    <name>QFeedback</name>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>feedback suppression</source>
        <translation>反馈抑制</translation>
    </message>
</context>
<context>
    <name>QGate</name>
    <message>
        <source>Thresh(dB)</source>
        <translation>阈值(dB)</translation>
    </message>
    <message>
        <source>Attack(ms)</source>
        <translation>启动(ms)</translation>
    </message>
    <message>
        <source>Decay(ms)</source>
        <translation>释放(ms)</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>gate open</source>
        <translation>门限打开</translation>
    </message>
    <message>
        <source>threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>decay</source>
        <translation>释放时间</translation>
    </message>
    <message>
        <source>Threshold: the gate opens when the input rises above this level</source>
        <translation>阈值：输入高于此电平时噪声门打开</translation>
    </message>
    <message>
        <source>Attack: how fast the gate opens</source>
        <translation>启动时间：噪声门打开的快慢</translation>
    </message>
    <message>
        <source>Decay: how fast the gate closes once the input falls below the threshold</source>
        <translation>释放时间：输入低于阈值后噪声门关闭的快慢</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
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
    <message>
        <source>Mic/Line</source>
        <translation>话筒/线路</translation>
    </message>
    <message>
        <source>48V phantom power</source>
        <translation>48V 幻象电源</translation>
    </message>
    <message>
        <source>gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Mic: microphone level, with the preamplifier&apos;s gain; Line: line level</source>
        <translation>话筒：话筒电平，使用前置放大增益；线路：线路电平</translation>
    </message>
    <message>
        <source>48 V phantom power for condenser microphones</source>
        <translation>为电容话筒提供 48 V 幻象电源</translation>
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
    <name>QMixer</name>
    <message>
        <source>Mixer Value</source>
        <translation>混音增益</translation>
    </message>
    <message>
        <source>All Mix</source>
        <translation>全部混音</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Enable all mixer and set their value to 0dB?</source>
        <translation>接通所有混音点并将增益设为0dB？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Disable all mixer and set their value to 0dB?</source>
        <translation>断开所有混音点并将增益设为0dB？</translation>
    </message>
    <message>
        <source>Matrix reset</source>
        <translation>矩阵复位</translation>
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
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QPreset</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>调用</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Import All</source>
        <translation>全部导入</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>全部导出</translation>
    </message>
    <message>
        <source>Boot Default</source>
        <translation>开机默认</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在调用...</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation>预设名称长度不能超过16字节，请重新输入！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Save preset?</source>
        <translation>保存预设？</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Load preset?</source>
        <translation>调用预设？</translation>
    </message>
    <message>
        <source>Delete preset?</source>
        <translation>删除预设？</translation>
    </message>
    <message>
        <source>pstl Files</source>
        <translation>pstl 文件</translation>
    </message>
    <message>
        <source>pst Files</source>
        <translation>pst 文件</translation>
    </message>
    <message>
        <source>pstl Files (*.pstl)</source>
        <translation>pstl 文件 (*.pstl)</translation>
    </message>
    <message>
        <source>pst Files (*.pst)</source>
        <translation>pst 文件 (*.pst)</translation>
    </message>
    <message>
        <source>A preset was recalled</source>
        <translation>已调用预设</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>预设 %1</translation>
    </message>
</context>
<context>
    <name>SettingsText</name>
    <message>
        <source>%uday %02u:%02u:%02u</source>
        <translation>%u天 %02u:%02u:%02u</translation>
    </message>
</context>
<context>
    <name>TraceModel</name>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Op</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>模块</translation>
    </message>
    <message>
        <source>Cmd</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>标志</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Payload</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>(%1 bytes hidden)</source>
        <translation>（已隐藏 %1 字节）</translation>
    </message>
</context>
<context>
    <name>TraceWindow</name>
    <message>
        <source>Protocol Trace</source>
        <translation>协议跟踪</translation>
    </message>
    <message>
        <source>Module:</source>
        <translation>模块:</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>方向:</translation>
    </message>
    <message>
        <source>All modules</source>
        <translation>全部模块</translation>
    </message>
    <message>
        <source>Both</source>
        <translation>双向</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>保存...</translation>
    </message>
    <message>
        <source>%1 shown of %2 frames (the last %3 are kept)</source>
        <translation>显示 %1 / 共 %2 帧(保留最近 %3 帧)</translation>
    </message>
    <message>
        <source>Save Protocol Trace</source>
        <translation>保存协议跟踪</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>文本文件 (*.txt)</translation>
    </message>
    <message>
        <source>The trace could not be saved to %1: %2</source>
        <translation>无法将跟踪保存到 %1:%2</translation>
    </message>
</context>
<context>
    <name>TransferProgressDialog</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The unit stopped answering; the transfer did not finish.</source>
        <translation>设备停止响应，传输未完成。</translation>
    </message>
</context>
<context>
    <name>settings</name>
    <message>
        <source>12V :</source>
        <translation>12V :</translation>
    </message>
    <message>
        <source>-12V :</source>
        <translation>-12V :</translation>
    </message>
    <message>
        <source>5V :</source>
        <translation>5V :</translation>
    </message>
    <message>
        <source>-5V :</source>
        <translation>-5V :</translation>
    </message>
    <message>
        <source>3.3V :</source>
        <translation>3.3V :</translation>
    </message>
    <message>
        <source>2.5V :</source>
        <translation>2.5V :</translation>
    </message>
    <message>
        <source>48V :</source>
        <translation>48V :</translation>
    </message>
    <message>
        <source>DSP :</source>
        <translation>DSP :</translation>
    </message>
    <message>
        <source>DAC :</source>
        <translation>DAC :</translation>
    </message>
    <message>
        <source>Flash :</source>
        <translation>闪存 :</translation>
    </message>
    <message>
        <source>Temp :</source>
        <translation>温度 :</translation>
    </message>
    <message>
        <source>Model :</source>
        <translation>型号 :</translation>
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
        <source>SN :</source>
        <translation>序列号 :</translation>
    </message>
    <message>
        <source>Channel Cfg :</source>
        <translation>通道配置 :</translation>
    </message>
    <message>
        <source>Run time :</source>
        <translation>运行时间 :</translation>
    </message>
    <message>
        <source>Total time :</source>
        <translation>总运行时间 :</translation>
    </message>
    <message>
        <source>Boot counts :</source>
        <translation>开机次数 :</translation>
    </message>
    <message>
        <source>Temperature :</source>
        <translation>温度 :</translation>
    </message>
    <message>
        <source>Code ID :</source>
        <translation>代码ID :</translation>
    </message>
    <message>
        <source>Device id :</source>
        <translation>设备ID :</translation>
    </message>
    <message>
        <source>AEC Support :</source>
        <translation>支持回声消除 :</translation>
    </message>
    <message>
        <source>ANC Support :</source>
        <translation>支持降噪 :</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>IP address :</source>
        <translation>IP地址 :</translation>
    </message>
    <message>
        <source>Subnet mask :</source>
        <translation>子网掩码 :</translation>
    </message>
    <message>
        <source>Gateway :</source>
        <translation>网关 :</translation>
    </message>
    <message>
        <source>RS232 Baud :</source>
        <translation>RS232波特率 :</translation>
    </message>
    <message>
        <source>RS485 Baud :</source>
        <translation>RS485波特率 :</translation>
    </message>
    <message>
        <source>Gate report :</source>
        <translation>噪声门上报 :</translation>
    </message>
    <message>
        <source>Location and clock</source>
        <translation>位置与时钟</translation>
    </message>
    <message>
        <source>Location :</source>
        <translation>位置 :</translation>
    </message>
    <message>
        <source>Desc :</source>
        <translation>描述 :</translation>
    </message>
    <message>
        <source>Clock :</source>
        <translation>时钟 :</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation>校准时钟</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>不支持</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>alarm</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Device Infomation</source>
        <translation>设备信息</translation>
    </message>
</context>
<context>
    <name>EditActions</name>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销 %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做 %1</translation>
    </message>
</context>
<context>
    <name>ConfigurationActions</name>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Work Offline</source>
        <translation>离线工作</translation>
    </message>
    <message>
        <source>Open Configuration…</source>
        <translation>打开配置…</translation>
    </message>
    <message>
        <source>Save Configuration…</source>
        <translation>保存配置…</translation>
    </message>
    <message>
        <source>Send to Unit…</source>
        <translation>发送到设备…</translation>
    </message>
    <message>
        <source>Compare with…</source>
        <translation>比较…</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The offline unit cannot start: %1</source>
        <translation>离线设备无法启动：%1</translation>
    </message>
    <message>
        <source>%1 cannot be loaded: %2</source>
        <translation>无法加载 %1：%2</translation>
    </message>
    <message>
        <source>A configuration was opened</source>
        <translation>已打开配置</translation>
    </message>
    <message>
        <source>No unit is connected.</source>
        <translation>未连接设备。</translation>
    </message>
    <message>
        <source>The configuration cannot be saved: %1</source>
        <translation>无法保存配置：%1</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存的修改</translation>
    </message>
    <message>
        <source>The configuration has changes that are not saved. Save them?</source>
        <translation>配置有未保存的修改。是否保存？</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation>保存配置</translation>
    </message>
    <message>
        <source>Configuration files (*.json)</source>
        <translation>配置文件 (*.json)</translation>
    </message>
    <message>
        <source>The connected unit cannot be read: %1</source>
        <translation>无法读取已连接的设备：%1</translation>
    </message>
    <message>
        <source>%1 (Offline)</source>
        <translation>%1（离线）</translation>
    </message>
    <message>
        <source>No other unit is listed.</source>
        <translation>列表中没有其他设备。</translation>
    </message>
    <message>
        <source>Choose a unit:</source>
        <translation>选择设备：</translation>
    </message>
    <message>
        <source>The unit cannot be read: %1</source>
        <translation>无法读取设备：%1</translation>
    </message>
    <message>
        <source>Before sending</source>
        <translation>发送前</translation>
    </message>
    <message>
        <source>Unit&apos;s value</source>
        <translation>设备的值</translation>
    </message>
    <message>
        <source>File&apos;s value</source>
        <translation>文件的值</translation>
    </message>
    <message>
        <source>A configuration was sent to the unit</source>
        <translation>配置已发送到设备</translation>
    </message>
    <message>
        <source>The configuration was not sent: %1</source>
        <translation>配置未发送：%1</translation>
    </message>
    <message>
        <source>After sending</source>
        <translation>发送后</translation>
    </message>
    <message>
        <source>Compared with %1</source>
        <translation>与 %1 比较</translation>
    </message>
    <message>
        <source>Compared with another unit</source>
        <translation>与另一台设备比较</translation>
    </message>
    <message>
        <source>This unit</source>
        <translation>本设备</translation>
    </message>
    <message>
        <source>Other unit</source>
        <translation>另一台设备</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>打开配置</translation>
    </message>
    <message>
        <source>Send to Unit</source>
        <translation>发送到设备</translation>
    </message>
    <message>
        <source>Compare with</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Compare the connected unit with:</source>
        <translation>将已连接的设备与以下比较：</translation>
    </message>
    <message>
        <source>A file…</source>
        <translation>文件…</translation>
    </message>
    <message>
        <source>A unit…</source>
        <translation>设备…</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
</context>
<context>
    <name>DifferencesDialog</name>
    <message>
        <source>Inputs</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Pre-mix levels</source>
        <translation>预混电平</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>矩阵</translation>
    </message>
    <message>
        <source>Signal generator</source>
        <translation>信号发生器</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>（无）</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>差异</translation>
    </message>
    <message>
        <source>%1: %2 differences</source>
        <translation>%1：%2 处差异</translation>
    </message>
    <message>
        <source>%1: no differences</source>
        <translation>%1：没有差异</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>EQ band</source>
        <translation>EQ 频段</translation>
    </message>
    <message>
        <source>high-pass</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>low-pass</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>AGC</source>
        <translation>AGC</translation>
    </message>
    <message>
        <source>echo canceller</source>
        <translation>回声消除</translation>
    </message>
    <message>
        <source>noise reduction</source>
        <translation>降噪</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>routing</source>
        <translation>路由</translation>
    </message>
    <message>
        <source>nom level</source>
        <translation>标称电平</translation>
    </message>
    <message>
        <source>gain limit (max)</source>
        <translation>增益上限</translation>
    </message>
    <message>
        <source>gain limit (min)</source>
        <translation>增益下限</translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation>IN %1</translation>
    </message>
    <message>
        <source>OUT %1</source>
        <translation>OUT %1</translation>
    </message>
    <message>
        <source>pre-mix IN %1</source>
        <translation>预混 IN %1</translation>
    </message>
    <message>
        <source>IN %1 to OUT %2</source>
        <translation>IN %1 到 OUT %2</translation>
    </message>
    <message>
        <source>OUT %1 name</source>
        <translation>OUT %1 名称</translation>
    </message>
    <message>
        <source>IN %1 touch-screen name</source>
        <translation>IN %1 触摸屏名称</translation>
    </message>
    <message>
        <source>IN %1 name</source>
        <translation>IN %1 名称</translation>
    </message>
    <message>
        <source>%1 and more</source>
        <translation>%1 等</translation>
    </message>
    <message>
        <source>gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>invert</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source>threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>attack</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>decay</source>
        <translation>释放时间</translation>
    </message>
    <message>
        <source>ratio</source>
        <translation>比率</translation>
    </message>
    <message>
        <source>slope</source>
        <translation>斜率</translation>
    </message>
    <message>
        <source>type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>trim</source>
        <translation>微调</translation>
    </message>
    <message>
        <source>phantom</source>
        <translation>幻象电源</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>step</source>
        <translation>档位</translation>
    </message>
    <message>
        <source>group</source>
        <translation>编组</translation>
    </message>
    <message>
        <source>level</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>priority</source>
        <translation>优先</translation>
    </message>
    <message>
        <source>all mute</source>
        <translation>全部静音</translation>
    </message>
    <message>
        <source>location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>limiter</source>
        <translation>限幅器</translation>
    </message>
    <message>
        <source>gate</source>
        <translation>噪声门</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>反馈抑制</translation>
    </message>
    <message>
        <source>generator</source>
        <translation>信号发生器</translation>
    </message>
    <message>
        <source>automixer</source>
        <translation>自动混音</translation>
    </message>
</context>
<context>
    <name>UnitTransfer</name>
    <message>
        <source>Reading the unit…</source>
        <translation>正在读取设备…</translation>
    </message>
    <message>
        <source>Writing the configuration into the unit…</source>
        <translation>正在将配置写入设备…</translation>
    </message>
</context>
</TS>
