// The whole state of a unit through dapctl against an in-process simulated
// unit on loopback: how long a read of every record takes and how many frames
// it costs, and the same for a restore of a backup (the 32 presets, the
// active preset recalled, then every live value written and read back).
// Prints medians and worst times; no pass or fail.
// Run: build/bench/bench_unitstate [rounds]

#include "dapctl/ctlconsole.h"
#include "dapctl/ctloptions.h"
#include "dapctl/dapctl.h"
#include "dapctl/statelink.h"
#include "dapctl/unitlink.h"
#include "model/unitstate.h"
#include "sim/demostate.h"
#include "sim/simunit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<SimUnit> startUnit(const char *address, quint32 id)
{
    SimUnitConfig c;
    c.bind = QHostAddress(QLatin1String(address));
    c.port = 0;
    c.announcePort = 9; // discard: nobody listens, nothing leaves loopback
    c.announceIntervalMs = 3600 * 1000;
    c.machineId = id;
    auto unit = std::make_unique<SimUnit>(c);
    if (!unit->start()) {
        std::fprintf(stderr, "cannot start a simulated unit on %s\n", address);
        return nullptr;
    }
    return unit;
}

QStringList optionsFor(const SimUnit &unit)
{
    return {QStringLiteral("--port"),    QString::number(unit.serverPort()),
            QStringLiteral("--bind"),    QStringLiteral("127.0.0.1"),
            QStringLiteral("--timeout"), QStringLiteral("5")};
}

struct Figures
{
    std::vector<double> ms;
    int frames = 0;
    int answers = 0;

    void print(const char *what) const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-34s median %7.1f ms  worst %7.1f ms  frames sent %5d", what,
                    sorted[sorted.size() / 2], sorted.back(), frames);
        if (answers)
            std::printf("  answers %5d", answers);
        std::printf("\n");
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    const int rounds = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    std::unique_ptr<SimUnit> a = startUnit("127.0.0.1", 1001);
    std::unique_ptr<SimUnit> b = startUnit("127.0.0.2", 1002);
    if (!a || !b)
        return 1;
    loadDemoState(a->model());

    // A whole-state read: every record instance, pipelined.
    Figures read;
    for (int r = 0; r < rounds; ++r) {
        CtlOptions options;
        options.port = a->serverPort();
        UnitLink link(options);
        UnitTarget target;
        target.address = a->address();
        target.port = a->serverPort();
        if (!link.open(target)) {
            std::fprintf(stderr, "%s\n", qPrintable(link.errorString()));
            return 1;
        }
        StateLink io(link);
        Model::UnitState state;
        QElapsedTimer t;
        t.start();
        if (!io.readAll(state)) {
            std::fprintf(stderr, "%s\n", qPrintable(io.errorString()));
            return 1;
        }
        read.ms.push_back(double(t.nsecsElapsed()) / 1e6);
        read.frames = io.framesSent();
        read.answers = io.framesReceived();
    }

    // A backup of the demonstration unit, restored into the other again and
    // again.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("unit.dapbak"));
    QString out, err;
    CtlConsole console(&out, &err);
    if (DapCtl().run(QStringList{QStringLiteral("backup"), QStringLiteral("127.0.0.1"), file} +
                         optionsFor(*a),
                     console) != 0) {
        console.flush();
        std::fprintf(stderr, "backup failed: %s\n", qPrintable(err));
        return 1;
    }
    Figures restore;
    for (int r = 0; r < rounds; ++r) {
        b->model().factoryReset();
        const quint64 before = b->requestCount();
        QElapsedTimer t;
        t.start();
        if (DapCtl().run(QStringList{QStringLiteral("restore"), QStringLiteral("127.0.0.2"), file} +
                             optionsFor(*b),
                         console) != 0) {
            console.flush();
            std::fprintf(stderr, "restore failed: %s\n", qPrintable(err));
            return 1;
        }
        restore.ms.push_back(double(t.nsecsElapsed()) / 1e6);
        restore.frames = int(b->requestCount() - before);
    }
    std::printf("%d rounds against a simulated unit on loopback\n", rounds);
    read.print("whole-state read");
    restore.print("restore (presets, recall, live)");
    return 0;
}
