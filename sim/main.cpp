// dapsim: a simulated unit for running and testing dapcontrol without hardware.

#include "protocol/commands.h"
#include "protocol/logcompressor.h"
#include "sim/demostate.h"
#include "sim/firmwareblock.h"
#include "sim/simcommandlistener.h"
#include "sim/simconsole.h"
#include "sim/simoptions.h"

#include <QCoreApplication>
#include <QTextStream>

#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    LogCompressor::install();
    QCoreApplication::setApplicationName(QStringLiteral("dapsim"));

    SimOptions options;
    QString error;
    if (!parseSimOptions(QCoreApplication::arguments(), options, error)) {
        QTextStream(stderr) << error << '\n';
        return error.startsWith(QLatin1String("Usage")) ? 0 : 2;
    }

    QTextStream out(stdout);
    std::vector<std::unique_ptr<SimUnit>> units;
    for (const SimUnitConfig &config : options.units) {
        auto unit = std::make_unique<SimUnit>(config);
        unit->faults() = options.faults;
        unit->setFaultByte(options.faultByte);
        if (options.voltages)
            unit->setVoltages(*options.voltages);
        unit->setReportsVoltages(!options.voltagesRefused);
        if (options.demo)
            loadDemoState(unit->model());
        for (quint8 module : {Proto::FirmwareModule::Arm, Proto::FirmwareModule::Dsp})
            unit->model()
                .blockAs<FirmwareBlock>(Proto::OpFirmware, module)
                ->stopAcknowledgingAfter(options.firmwareSilentAfter);
        if (!unit->start()) {
            QTextStream(stderr) << "dapsim: cannot listen on " << config.bind.toString() << ':'
                                << config.port << ": " << unit->errorString() << '\n';
            return 1;
        }
        unit->setRefuseConnections(options.refuseConnections);
        unit->setAnnouncing(!options.silent);
        out << "dapsim: unit " << config.machineId << " on " << config.bind.toString() << ':'
            << unit->serverPort() << (config.password.isEmpty() ? "" : " (password set)") << '\n';
        units.push_back(std::move(unit));
    }
    SimCommandListener commands;
    if (options.commandPort != 0) {
        if (commands.listen(QHostAddress(QHostAddress::LocalHost), options.commandPort)) {
            for (const auto &unit : units)
                commands.addUnit(unit.get());
            out << "dapsim: commands on udp 127.0.0.1:" << commands.port() << '\n';
        } else {
            QTextStream(stderr) << "dapsim: no command port " << options.commandPort << ": "
                                << commands.errorString() << '\n';
        }
    }
    SimConsole console;
    if (options.console) {
        for (const auto &unit : units)
            console.addUnit(unit.get());
        if (console.start())
            out << "dapsim: reading commands on standard input (help lists them)\n";
    }
    out.flush();
    return app.exec();
}
