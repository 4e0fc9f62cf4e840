#include "dapctl/statuscommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/texttable.h"
#include "dapctl/unitlink.h"
#include "devices/broadcastmsg.h"
#include "pages/devicestatus.h"
#include "pages/overviewpoll.h"
#include "unitlink/presetlist.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>

namespace {

QString versionText(const DeviceStatus::Version &v)
{
    return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

QString durationText(quint32 seconds)
{
    return QString::asprintf("%uday %02u:%02u:%02u", seconds / 86400, seconds / 3600 % 24,
                             seconds / 60 % 60, seconds % 60);
}

QString faultText(quint8 fault)
{
    static const char *const names[] = {"DSP error", "DAC error", "Flash error",
                                        "temperature alarm"};
    QStringList parts;
    for (int bit = 0; bit < 4; ++bit)
        if (fault & (1 << bit))
            parts << QLatin1String(names[bit]);
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

} // namespace

QString StatusCommand::summary() const
{
    return QStringLiteral("show a unit's identity, health and settings");
}

unsigned StatusCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::JsonOption;
}

int StatusCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 1)
        return usageError(console, QStringLiteral("give one unit"));
    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;

    // The reads of the settings page and of the overview; the preset list
    // asked last comes back after all their answers.
    DeviceStatus status;
    std::optional<bool> allMute;
    std::optional<std::pair<float, float>> usage;
    QObject::connect(&link, &UnitLink::frameReceived, &status,
                     [&status](const Proto::Frame &f) { status.handle(f); });
    QObject::connect(&status, &DeviceStatus::sig_allMute, &status,
                     [&allMute](bool on) { allMute = on; });
    QObject::connect(&status, &DeviceStatus::sig_dspUsage, &status,
                     [&usage](float a, float b) { usage = std::make_pair(a, b); });
    status.requestSettings();
    OverviewPoll::sendStatusReads();
    QString error;
    const std::optional<PresetList> presets = readPresetList(link, error);
    if (!presets)
        return failure(console, error);

    QVector<QPair<QString, QString>> rows;
    QJsonObject json;
    const auto add = [&](const char *key, const QString &caption, const QString &text,
                         const QJsonValue &value) {
        rows.append({caption, text});
        json.insert(QLatin1String(key), value);
    };
    const auto optionalNumber = [](const auto &v, const QString &text) {
        return v ? text : QStringLiteral("(no answer)");
    };
    add("model", QStringLiteral("model"), status.model(), status.model());
    add("serial", QStringLiteral("serial number"), status.serialNumber(), status.serialNumber());
    add("arm", QStringLiteral("ARM firmware"), versionText(status.armVersion()),
        versionText(status.armVersion()));
    add("dsp", QStringLiteral("DSP firmware"), versionText(status.dspVersion()),
        versionText(status.dspVersion()));
    if (const auto ch = status.channelConfig())
        add("channels", QStringLiteral("channels"),
            QStringLiteral("%1 in, %2 out").arg((*ch)[0]).arg((*ch)[1]),
            QJsonObject{{QStringLiteral("inputs"), (*ch)[0]},
                        {QStringLiteral("outputs"), (*ch)[1]}});
    add("runTime", QStringLiteral("run time"),
        optionalNumber(status.runTime(), durationText(status.runTime().value_or(0))),
        qint64(status.runTime().value_or(0)));
    add("totalTime", QStringLiteral("total time"),
        optionalNumber(status.totalTime(), durationText(status.totalTime().value_or(0))),
        qint64(status.totalTime().value_or(0)));
    add("bootCount", QStringLiteral("boot count"),
        optionalNumber(status.bootCount(), QString::number(status.bootCount().value_or(0))),
        qint64(status.bootCount().value_or(0)));
    add("temperature", QStringLiteral("temperature"),
        optionalNumber(status.temperature(),
                       QString::asprintf("%0.1f °C", double(status.temperature().value_or(0)))),
        double(status.temperature().value_or(0)));
    add("location", QStringLiteral("location"), status.location(), status.location());
    add("description", QStringLiteral("description"), status.description(), status.description());
    const DeviceStatus::ClockBytes clock = status.clock();
    const QString clockText =
        clock == DeviceStatus::ClockBytes{}
            ? QStringLiteral("none")
            : QString::asprintf("20%02d-%02d-%02d %02d:%02d:%02d", clock[6], clock[5], clock[3],
                                clock[2], clock[1], clock[0]);
    add("clock", QStringLiteral("clock"), clockText, clockText);
    if (status.networkKnown())
        add("network", QStringLiteral("network"),
            QStringLiteral("%1, mask %2, gateway %3")
                .arg(dottedAddress(status.ipAddress()), dottedAddress(status.subnetMask()),
                     dottedAddress(status.gateway())),
            QJsonObject{{QStringLiteral("address"), dottedAddress(status.ipAddress())},
                        {QStringLiteral("mask"), dottedAddress(status.subnetMask())},
                        {QStringLiteral("gateway"), dottedAddress(status.gateway())}});
    const auto baud = [](int index) {
        return index < 0 ? QStringLiteral("(unknown)")
                         : QString::number(DeviceStatus::baudRates()[size_t(index)]);
    };
    add("rs232", QStringLiteral("RS232 speed"), baud(status.rs232BaudIndex()),
        baud(status.rs232BaudIndex()).toInt());
    add("rs485", QStringLiteral("RS485 speed"), baud(status.rs485BaudIndex()),
        baud(status.rs485BaudIndex()).toInt());
    add("gateReport", QStringLiteral("gate report"), QString::number(status.gateReport()),
        status.gateReport());
    add("fault", QStringLiteral("faults"), faultText(status.fault()), int(status.fault()));
    if (status.voltageReport() == DeviceStatus::VoltageReport::Refused) {
        add("voltages", QStringLiteral("voltages"), QStringLiteral("not reported"), QJsonValue());
    } else {
        static const char *const names[] = {"12V", "-12V", "5V", "-5V", "3.3V", "2.5V", "48V"};
        QStringList parts;
        QJsonObject volts;
        for (int i = 0; i < DeviceStatus::VoltageCount; ++i) {
            const float v = status.voltages()[size_t(i)];
            parts << QStringLiteral("%1 %2").arg(
                QLatin1String(names[i]),
                v == 0.0f ? QStringLiteral("none") : QString::asprintf("%0.1fV", double(v)));
            volts.insert(QLatin1String(names[i]), double(v));
        }
        add("voltages", QStringLiteral("voltages"), parts.join(QStringLiteral(", ")), volts);
    }
    if (usage)
        add("dspUsage", QStringLiteral("DSP usage"),
            QString::asprintf("%0.1f %%, %0.1f %%", double(usage->first), double(usage->second)),
            QJsonObject{{QStringLiteral("a"), double(usage->first)},
                        {QStringLiteral("b"), double(usage->second)}});
    if (allMute)
        add("allMute", QStringLiteral("all mute"),
            *allMute ? QStringLiteral("on") : QStringLiteral("off"), *allMute);
    const auto yesNo = [](const std::optional<bool> &v) {
        return !v   ? QStringLiteral("(no answer)")
               : *v ? QStringLiteral("yes")
                    : QStringLiteral("no");
    };
    add("aec", QStringLiteral("echo canceller"), yesNo(status.aecSupport()),
        status.aecSupport().value_or(false));
    add("anc", QStringLiteral("noise reduction"), yesNo(status.ancSupport()),
        status.ancSupport().value_or(false));
    if (const auto code = status.codeId())
        add("codeId", QStringLiteral("code ID"), QString::number(*code), int(*code));
    const int current = presets->current;
    const QString presetName =
        current < PresetList::Slots ? presets->names[size_t(current)] : QString();
    add("preset", QStringLiteral("active preset"),
        QStringLiteral("%1 \"%2\"").arg(current + 1).arg(presetName),
        QJsonObject{{QStringLiteral("slot"), current + 1}, {QStringLiteral("name"), presetName}});

    if (options.json) {
        console.out() << QJsonDocument(json).toJson(QJsonDocument::Indented);
    } else {
        console.out() << link.target().describe() << '\n';
        TextTable table({QString(), QString()});
        for (const auto &r : qAsConst(rows))
            table.addRow({r.first, r.second});
        QString text;
        QTextStream s(&text);
        table.print(s);
        s.flush();
        console.out() << text.mid(text.indexOf(QLatin1Char('\n')) + 1);
    }
    console.flush();
    return ExitOk;
}
