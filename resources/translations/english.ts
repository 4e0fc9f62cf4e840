<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ANCWidget</name>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strongest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Noise Reduction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel Enabled :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Noise Reduction Level :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Noise reduction channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Noise reduction level</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Accessibility</name>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limiter transfer chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bypassed: output follows input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold %1, ratio %2:1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic gain control graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold %1, target %2, ratio %3:1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no handle selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, level</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AllMuteCmdWidget</name>
    <message>
        <source>All Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelRecordPage</name>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUT %1 : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IN %1 : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all setting?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>transfer chart</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartFrame</name>
    <message>
        <source>Input (dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output (dB)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandToolWidget</name>
    <message>
        <source>Hexadecimal Protocol Tool V1.0.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232 Baud Rate : 115200 (Default)
TCP Port : 2698</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level Pre Mix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConnectTimeoutBox</name>
    <message>
        <source>Connection Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>* The connection timed out!
* Please check the network connection!
* Please make sure that the PC and the device are on the same subnet!
* Please make sure that there is no other IP conflicting with the device IP!
  You can try to modify the PC&apos;s IP or device IP.
  Right-click the mouse to select the device, you can modify its IP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify device IP immediately</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not remind again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CrosspointGrid</name>
    <message>
        <source>Crosspoints</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CutFilterPanel</name>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freq.(Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bessel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link-Riley</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frequency</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DelayPage</name>
    <message>
        <source>Millisecond</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delay</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceTableModel</name>
    <message>
        <source>%dday %02d:%02d:%02d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online(Connected)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online(Disconnected)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ARM ver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSP ver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device SN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Net Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runing time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EqFile</name>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON or OFF expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no filter type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shelf slope is written in dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shelf slope must lie above 0 and at most 12 dB/oct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no number after &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1 %2&quot; is not a value of a %3 filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no frequency (Fc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the frequency must be above 0 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a %1 filter takes no gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a first-order filter takes no Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a shelf takes a slope or a Q, not both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Q must be above 0 and a bandwidth at most 10 octaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>longer than %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1 filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a Preamp line needs a gain in dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than 1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EqImport</name>
    <message>
        <source>Bessel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Butterworth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link-Riley</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the filter block has no filter of this type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the filter block has no gain of its own; set the channel&apos;s level instead</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a command the filter block does not follow; every filter of the file is placed on this channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its frequency lies outside what the block takes (%1 to %2 Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its gain lies outside what a band takes (%1 to %2 dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its Q lies outside what a band takes (%1 to %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>switched off in the file, and no band is left for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no band is left for it (the unit has %1 bands)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LowShelf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HighShelf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>band %1: %2 %3 Hz %4 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (a shelf&apos;s Q is always %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, switched off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>band %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bands %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not used by the file: switched off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>high-pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>low-pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit has one %1 filter, taken by line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file has none: switched off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>switched off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 %3 dB/oct %4 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>approximated: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not placed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 placed as the file asks, %3 approximated, %4 not placed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>largest deviation from the file&apos;s curve, 20 Hz to 20 kHz: %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EqImportDialog</name>
    <message>
        <source>Import EQ: %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 filters placed as the file asks, %2 approximated, %3 not placed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largest deviation from the file, 20 Hz to 20 kHz: %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the unit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FactoryTestWindow</name>
    <message>
        <source>Factory Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All inputs: Mic + 48V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All inputs: Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute all inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmute all inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All gains 0.0 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All gains to maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All inputs set to Mic with 48V.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All inputs set to Line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All inputs muted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All inputs unmuted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gains set; they are sent 100 ms after this change.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FaultReport</name>
    <message>
        <source>Device Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found fault :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DAC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See the Settings page for details.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FilterBandPanel</name>
    <message>
        <source>Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PEQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LowShelf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HighShelf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freq.(Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>band %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q: the sharpness of the band; higher values affect a narrower range of frequencies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PEQ: peaking filter; LowShelf and HighShelf raise or lower everything below or above the frequency</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FilterGraph</name>
    <message>
        <source>Export response as CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export picture as PNG...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High-pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low-pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Band %1</source>
    </message>
    <message>
        <source>Import EQ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export EQ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FilterPage</name>
    <message>
        <source>High-Pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low-Pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filter response</source>
    </message>
    <message>
        <source>Equaliser files (*.txt *.cfg);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The filters of %1 have not been read from the unit yet. Try again when the unit is connected and the page shows them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import EQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export EQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be imported:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirmwareUpgrade</name>
    <message>
        <source>Bad file format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is too large for a firmware upgrade (at most %1 MiB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>updating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is empty; there is nothing to send.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit acknowledged chunk %1, which was not sent; the upgrade did not finish.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FuncWidget</name>
    <message>
        <source>In Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AGC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Limiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AEC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automixer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out Limiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GainLimitPanel</name>
    <message>
        <source>Touch screen gain limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GeneratorPanel</name>
    <message>
        <source>PinkNoise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WhiteNoise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal generator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freq.(Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frequency (Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>level</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LevelCmdWidget</name>
    <message>
        <source>Channel :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain(Fixed Value)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain accumulation/subtract consecutively</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LevelPage</name>
    <message>
        <source>Gain(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert the polarity of the signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority: this input is given precedence in the mix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link group: channels in the same group change mute, invert and gain together; &quot;-&quot; for none</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LimiterPage</name>
    <message>
        <source>Thresh(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attack(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decay(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold: the level above which the gain is reduced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ratio: how many dB of input above the threshold give one dB of output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attack: how fast the gain falls once the threshold is passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decay: how fast the gain comes back once the signal falls below the threshold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoginCmdWidget</name>
    <message>
        <source>Login(TCP protocol need to login to control, RS232 without login)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password contains characters that cannot be sent: only Latin-1 characters are allowed. No command was generated.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Digital Audio Processor</source>
        <translation>Digital Audio Processor</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update ARM Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update DSP Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language3</source>
        <translation>Language3</translation>
    </message>
    <message>
        <source>Language4</source>
        <translation>Language4</translation>
    </message>
    <message>
        <source>Language5</source>
        <translation>Language5</translation>
    </message>
    <message>
        <source>Password Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High DPI Scaling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabling high DPI scaling and the application will keep the default size.

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Need to restart the application to take effect, are you sure that you want to restart now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart to take effect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart immediately to take effect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No, take effect at next startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore the factory settings will delete all user data!!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to reformat the disk and erase all data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sbin Files (*.sbin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ldr Files (*.ldr)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol Trace</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MatrixMixValueWidget</name>
    <message>
        <source>Mixer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain of the selected crosspoints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crosspoints</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeterWidget</name>
    <message>
        <source>Meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Pre Fader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Post Fader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Pre Fader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Post Fader</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaceholderPage</name>
    <message>
        <source>The %1 page is not available in this version.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PresetCmdWidget</name>
    <message>
        <source>Preset Recall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset Number :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate Command</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PresetTransfer</name>
    <message>
        <source>ERROR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 cannot be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit sent no data; the export did not finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>preset file format error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit took more bytes than were sent; the import did not finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has %1 bytes; a file of all presets has at most %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has %1 bytes; a file of one preset has at most %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has %1 bytes, fewer than the %2 of a preset&apos;s header.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has %1 bytes, which are not %2 records of at least %3 bytes each.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit announced a preset image of %1 bytes; at most %2 bytes are taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit expects %1 bytes; the file has %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit took none of the %1 bytes sent; the import did not finish.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QAGCWidget</name>
    <message>
        <source>Thresh(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attack(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decay(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold: signals below this level are not raised</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ratio: how many dB of input above the threshold give one dB of output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attack: how fast the gain falls once the threshold is passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decay: how fast the gain comes back once the signal falls below the threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target: the level the gain control holds the signal at</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QAec</name>
    <message>
        <source>From
Video conference
terminal audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To
Video conference
terminal audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IN CH3-16
Local conference
audio source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUT CH3-16
Local conference
Amplifier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable echo cancellation</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QAutoMixer</name>
    <message>
        <source>Auto En</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thresh(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nom level :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mic counts :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total nom :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>automatic mixing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gate open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>attenuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nominal level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto enable: this input takes part in the automixer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold of the input&apos;s gate, shared with the Gate page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply the automixer&apos;s attenuation to this output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of open microphones: the attenuation in dB for each open microphone beyond the first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many inputs&apos; gates are open now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total attenuation for the microphones open now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QChannelSelect</name>
    <message>
        <source>Select Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output channel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QDevLabel</name>
    <message>
        <source>Input Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Touch Screen Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IN %1:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QDeviceItem</name>
    <message>
        <source>Offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fault flags: 0x%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QDeviceList</name>
    <message>
        <source>IP Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QDeviceTable</name>
    <message>
        <source>Cannot open database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to establish a database connection.
This example needs SQLite support. Please read the Qt SQL driver documentation for information how to build it.

Click Cancel to exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click a unit to connect to it; right-click it to change its IP address or remove it from the list.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFeedback</name>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>feedback suppression</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QGate</name>
    <message>
        <source>Thresh(dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attack(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decay(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gate open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>attack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>decay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threshold: the gate opens when the input rises above this level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attack: how fast the gate opens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decay: how fast the gate closes once the input falls below the threshold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QInLevel</name>
    <message>
        <source>Mic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gain(dBu)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mic/Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>48V phantom power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mic: microphone level, with the preamplifier&apos;s gain; Line: line level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>48 V phantom power for condenser microphones</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QIpSetting</name>
    <message>
        <source>ip Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP addr :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gateway :</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QLogin</name>
    <message>
        <source>Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter password to login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMixer</name>
    <message>
        <source>Mixer Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Mix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable all mixer and set their value to 0dB?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable all mixer and set their value to 0dB?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QOverView</name>
    <message>
        <source>SN :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSP Usage :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ARM Ver :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSP Ver :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unconnected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPSWModDialog</name>
    <message>
        <source>Modify password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New password :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPreset</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boot Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The preset name&apos;s length can not be greater than 16 bytes, please enter again!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save preset?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load preset?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete preset?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pstl Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pst Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pstl Files (*.pstl)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pst Files (*.pst)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsText</name>
    <message>
        <source>%uday %02u:%02u:%02u</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TraceModel</name>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Op</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cmd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(%1 bytes hidden)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TraceWindow</name>
    <message>
        <source>Protocol Trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Module:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All modules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 shown of %2 frames (the last %3 are kept)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Protocol Trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trace could not be saved to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TransferProgressDialog</name>
    <message>
        <source>error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit stopped answering; the transfer did not finish.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>settings</name>
    <message>
        <source>12V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-12V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-5V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.3V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.5V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>48V :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSP :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DAC :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temp :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ARM Ver :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSP Ver :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel Cfg :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run time :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total time :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boot counts :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code ID :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device id :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AEC Support :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANC Support :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP address :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subnet mask :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gateway :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS232 Baud :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RS485 Baud :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gate report :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location and clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desc :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Null</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alarm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device Infomation</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnitTransfer</name>
    <message>
        <source>Reading the unit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the configuration into the unit…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
