#include "dapctl/discovercommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/texttable.h"
#include "dapctl/unitlocator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString versionText(const std::array<quint8, 3> &v)
{
    return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

} // namespace

QString DiscoverCommand::summary() const
{
    return QStringLiteral("list the units that announce themselves");
}

QString DiscoverCommand::description() const
{
    return QStringLiteral(
        "Listens for the units' UDP announcements for the time-out and lists every unit heard: "
        "device id, address, model, serial number, firmware versions, location, description, "
        "active preset and fault bits.");
}

unsigned DiscoverCommand::optionGroups() const
{
    return CtlOptions::DiscoveryOptions | CtlOptions::JsonOption;
}

int DiscoverCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (!args.isEmpty())
        return usageError(console, QStringLiteral("discover takes no arguments"));
    QVector<broadcastMsg> units;
    QString error;
    if (!UnitLocator(options).listen(options.timeoutMs, {}, units, error))
        return failure(console, error);

    if (options.json) {
        QJsonArray list;
        for (const broadcastMsg &m : qAsConst(units))
            list.append(QJsonObject{{QStringLiteral("id"), qint64(m.machineid)},
                                    {QStringLiteral("address"), dottedAddress(m.ipaddress)},
                                    {QStringLiteral("model"), m.model},
                                    {QStringLiteral("serial"), m.sn},
                                    {QStringLiteral("arm"), versionText(m.armVersion)},
                                    {QStringLiteral("dsp"), versionText(m.dspVersion)},
                                    {QStringLiteral("location"), m.location},
                                    {QStringLiteral("description"), m.description},
                                    {QStringLiteral("preset"), m.preset},
                                    {QStringLiteral("fault"), int(m.fault)},
                                    {QStringLiteral("code"), int(m.code)}});
        console.out() << QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else if (!units.isEmpty()) {
        TextTable table({QStringLiteral("ID"), QStringLiteral("ADDRESS"), QStringLiteral("MODEL"),
                         QStringLiteral("SERIAL"), QStringLiteral("ARM"), QStringLiteral("DSP"),
                         QStringLiteral("LOCATION"), QStringLiteral("DESCRIPTION"),
                         QStringLiteral("PRESET"), QStringLiteral("FAULT")});
        for (const broadcastMsg &m : qAsConst(units))
            table.addRow({QString::number(m.machineid), dottedAddress(m.ipaddress), m.model, m.sn,
                          versionText(m.armVersion), versionText(m.dspVersion), m.location,
                          m.description, m.preset, QString::number(m.fault)});
        table.print(console.out());
    }
    if (units.isEmpty())
        console.error(
            QStringLiteral("no unit announced itself within %1 s").arg(options.timeoutMs / 1000.0));
    console.flush();
    return ExitOk;
}
