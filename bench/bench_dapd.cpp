// The control server (the built dapd, a process of its own) against two
// in-process simulated units on loopback, and many WebSocket clients.
//
//   bench_dapd            100 clients subscribed to the meters of 2 units:
//                         dapd's CPU share and the notification latency
//                         (median, 99th percentile) from a change at the
//                         unit to each client; then the sustained set rate
//                         against one unit, every value read back.
//   bench_dapd --soak S   S seconds of clients connecting and leaving while
//                         one unit drops every 20 s: dapd's memory at the
//                         start and end, and whether every client was told
//                         of every change and every drop.
//
// Prints its figures; no pass or fail but the soak's exit code.

#include "sim/simunit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        waitMs(2);
    }
    return true;
}

// CPU seconds and resident kilobytes of a process, from /proc.
double cpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = f.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

long residentKb(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

struct Rig
{
    std::vector<std::unique_ptr<SimUnit>> units;
    QProcess dapd;
    quint16 port = 0;

    bool start()
    {
        quint16 unitPort = 0;
        for (int i = 0; i < 2; ++i) {
            SimUnitConfig c;
            c.bind = QHostAddress(0x7F000001u + quint32(i));
            c.port = unitPort;
            c.announcePort = 9; // discard: nothing listens, nothing leaves loopback
            c.announceIntervalMs = 3600 * 1000;
            c.machineId = 901 + quint32(i);
            units.push_back(std::make_unique<SimUnit>(c));
            if (!units.back()->start()) {
                std::fprintf(stderr, "cannot start a simulated unit\n");
                return false;
            }
            unitPort = units.back()->serverPort();
        }
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
        probe.close();
        dapd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // No configuration file of the user's is read: XDG_CONFIG_HOME is
        // pointed at an empty folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("/nonexistent"));
        env.remove(QStringLiteral("DAPD_PASSWORD"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("dap.dapd.info=false"));
        dapd.setProcessEnvironment(env);
        dapd.start(QStringLiteral(DAP_RUN_DIR "/dapd"),
                   {"--listen", QStringLiteral("127.0.0.1:%1").arg(port), "--no-line",
                    "--no-discovery", "--unit", "127.0.0.1", "--unit", "127.0.0.2", "--unit-port",
                    QString::number(unitPort)});
        if (!dapd.waitForStarted(5000)) {
            std::fprintf(stderr, "cannot start dapd (build it first)\n");
            return false;
        }
        waitMs(300);
        return true;
    }
    ~Rig()
    {
        dapd.terminate();
        dapd.waitForFinished(5000);
    }
};

// A client that keeps what came and when.
struct Client
{
    QWebSocket socket;
    int nextId = 0;
    std::function<void(const QJsonObject &)> onMessage;
    QHash<int, QJsonObject> answers;

    bool open(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.contains(QStringLiteral("id")))
                answers.insert(o.value(QStringLiteral("id")).toInt(), o);
            else if (onMessage)
                onMessage(o);
        });
        bool up = false;
        QObject::connect(&socket, &QWebSocket::connected, [&up] { up = true; });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
        return waitUntil([&up] { return up; }, 5000);
    }
    int send(const QString &method, const QJsonObject &params)
    {
        const int id = ++nextId;
        socket.sendTextMessage(QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}})
                .toJson(QJsonDocument::Compact)));
        return id;
    }
    QJsonObject call(const QString &method, const QJsonObject &params)
    {
        const int id = send(method, params);
        waitUntil([&] { return answers.contains(id); }, 10000);
        return answers.take(id);
    }
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

QByteArray muteWrite(int channel, bool on)
{
    QByteArray b;
    b.append(char(channel));
    b.append(char(on ? 1 : 0));
    return b;
}

void writeTo(SimUnit &unit, quint8 module, quint8 cmd, const QByteArray &payload)
{
    Proto::Frame f;
    f.op = 3;
    f.module = module;
    f.cmd = cmd;
    f.flag = Proto::FlagWrite;
    f.payload = payload;
    f.length = quint16(payload.size());
    unit.model().handle(f);
}

int runBenchmark(Rig &rig)
{
    constexpr int Clients = 100;
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<double> latencies;
    QElapsedTimer clock;
    clock.start();
    qint64 changedAt[2] = {0, 0};
    int changeIndex = -1;
    for (int i = 0; i < Clients; ++i) {
        auto c = std::make_unique<Client>();
        if (!c->open(rig.port)) {
            std::fprintf(stderr, "client %d cannot connect\n", i);
            return 1;
        }
        // The first notification that shows the change made last, per
        // client and unit.
        auto counted = std::make_shared<std::array<int, 2>>();
        counted->fill(-1);
        c->onMessage = [&, counted](const QJsonObject &o) {
            if (o.value(QStringLiteral("method")) != QJsonValue("changed"))
                return;
            const QJsonObject p = o.value(QStringLiteral("params")).toObject();
            // Units reached by address are named by it.
            const int unit =
                p.value(QStringLiteral("unit")).toString() == QLatin1String("127.0.0.1") ? 0 : 1;
            const QJsonValue level =
                p.value(QStringLiteral("values")).toObject().value(QStringLiteral("meter.input.1"));
            if (level.isUndefined() || changeIndex < 0 || (*counted)[size_t(unit)] == changeIndex)
                return;
            const bool muted = changeIndex % 2 == 0;
            if ((level.toInt() == -100) != muted)
                return;
            (*counted)[size_t(unit)] = changeIndex;
            latencies.push_back(double(clock.elapsed() - changedAt[unit]));
        };
        for (int u = 0; u < 2; ++u)
            c->call(QStringLiteral("subscribe"), {{"unit", QStringLiteral("127.0.0.%1").arg(u + 1)},
                                                  {"paths", QJsonArray{"meter.*"}}});
        clients.push_back(std::move(c));
    }
    std::printf("%d clients subscribed to the 64 meters of each of 2 units\n", Clients);

    // Idle: meters polled, nothing changing much.
    waitMs(1000);
    const qint64 pid = rig.dapd.processId();
    double cpu0 = cpuSeconds(pid);
    QElapsedTimer wall;
    wall.start();
    constexpr int Changes = 40;
    for (int i = 0; i < Changes; ++i) {
        // Input 1 muted and unmuted: its meter jumps to -100 and back.
        const bool on = i % 2 == 0;
        changeIndex = i;
        for (int u = 0; u < 2; ++u) {
            writeTo(*rig.units[size_t(u)], 1, 2, muteWrite(0, on));
            changedAt[u] = clock.elapsed();
        }
        waitMs(250);
    }
    const double cpu = cpuSeconds(pid) - cpu0;
    const double seconds = wall.elapsed() / 1000.0;
    std::printf("dapd CPU: %.1f %% of one core over %.1f s (%.2f s CPU), resident %ld kB\n",
                100.0 * cpu / seconds, seconds, cpu, residentKb(pid));
    std::printf("notification latency, change at the unit to client (%zu samples, polls every "
                "100 ms): median %.1f ms, 99th percentile %.1f ms, max %.1f ms\n",
                latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.99),
                percentile(latencies, 1.0));
    const size_t expected = size_t(Changes) * 2 * Clients;
    std::printf("notifications of the changes: %zu of %zu\n", latencies.size(), expected);
    clients.clear();

    // Sustained sets against one unit, 16 in flight, every value read back.
    Client c;
    if (!c.open(rig.port))
        return 1;
    constexpr int Sets = 2000;
    constexpr int InFlight = 16;
    int sent = 0, answered = 0, lost = 0;
    QHash<int, double> asked;
    QElapsedTimer t;
    t.start();
    const auto sendOne = [&] {
        const double value = -40.0 + (sent % 400) / 10.0;
        const int id =
            c.send(QStringLiteral("set"),
                   {{"unit", "127.0.0.1"}, {"values", QJsonObject{{"output.1.gain", value}}}});
        asked.insert(id, value);
        ++sent;
    };
    while (sent < InFlight)
        sendOne();
    while (answered < Sets) {
        if (!waitUntil([&] { return !c.answers.isEmpty(); }, 10000))
            break;
        for (const int id : c.answers.keys()) {
            const QJsonObject a = c.answers.take(id);
            const double applied = a.value(QStringLiteral("result"))
                                       .toObject()
                                       .value(QStringLiteral("values"))
                                       .toObject()
                                       .value(QStringLiteral("output.1.gain"))
                                       .toDouble(1e9);
            if (std::abs(applied - asked.take(id)) > 0.05)
                ++lost;
            ++answered;
            if (sent < Sets)
                sendOne();
        }
    }
    const double ms = double(t.elapsed());
    std::printf("sets against one unit: %d in %.0f ms, %.0f per second, %d not read back as "
                "set\n",
                answered, ms, answered * 1000.0 / ms, lost + (Sets - answered));
    return 0;
}

int runSoak(Rig &rig, int seconds)
{
    struct Member
    {
        Client client;
        int offline = 0;
        int online = 0;
        int changes = 0;
    };
    const qint64 pid = rig.dapd.processId();
    QElapsedTimer wall;
    wall.start();
    long startKb = 0;
    int drops = 0, sessions = 0, missed = 0, checks = 0;
    std::vector<std::unique_ptr<Member>> members;
    qint64 lastDrop = 0;
    int round = 0;
    const QJsonObject unit{{"unit", "127.0.0.1"}};
    // Every client must see a change within `ms`; each that does not counts.
    const auto expectAll = [&](const std::function<int(const Member &)> &count,
                               const std::vector<int> &before, int ms) {
        waitUntil(
            [&] {
                for (size_t i = 0; i < members.size(); ++i)
                    if (count(*members[i]) == before[i])
                        return false;
                return true;
            },
            ms);
        for (size_t i = 0; i < members.size(); ++i) {
            ++checks;
            if (count(*members[i]) == before[i])
                ++missed;
        }
    };
    const auto counts = [&](const std::function<int(const Member &)> &count) {
        std::vector<int> v;
        for (const auto &m : members)
            v.push_back(count(*m));
        return v;
    };
    const auto changes = [](const Member &m) { return m.changes; };
    float gain = -5;
    while (wall.elapsed() < qint64(seconds) * 1000) {
        // Clients come: up to 20 at once, each subscribed to a gain and a meter.
        while (members.size() < 20) {
            auto m = std::make_unique<Member>();
            Member *raw = m.get();
            if (!m->client.open(rig.port)) {
                ++missed;
                break;
            }
            m->client.onMessage = [raw](const QJsonObject &o) {
                const QString method = o.value(QStringLiteral("method")).toString();
                if (method == QLatin1String("unit.offline"))
                    ++raw->offline;
                else if (method == QLatin1String("unit.online"))
                    ++raw->online;
                else if (method == QLatin1String("changed") &&
                         o.value(QStringLiteral("params"))
                             .toObject()
                             .value(QStringLiteral("values"))
                             .toObject()
                             .contains(QStringLiteral("output.1.gain")))
                    ++raw->changes;
            };
            QJsonObject params = unit;
            params.insert(QStringLiteral("paths"), QJsonArray{"output.1.gain", "meter.input.*"});
            if (m->client.call(QStringLiteral("subscribe"), params)
                    .contains(QStringLiteral("error")))
                ++missed;
            members.push_back(std::move(m));
            ++sessions;
        }
        // A change at the unit that every client must hear of.
        const std::vector<int> before = counts(changes);
        gain = gain == -5 ? -10 : -5;
        QByteArray write(1, 0);
        write.append(reinterpret_cast<const char *>(&gain), 4);
        writeTo(*rig.units[0], 11, 3, write);
        expectAll(changes, before, 2000);
        if (startKb == 0 && wall.elapsed() > 10000)
            startKb = residentKb(pid);
        // The unit drops every 20 s: every client hears it go and come back,
        // and keeps its subscriptions.
        if (wall.elapsed() - lastDrop >= 20000) {
            lastDrop = wall.elapsed();
            const std::vector<int> off = counts([](const Member &m) { return m.offline; });
            const std::vector<int> on = counts([](const Member &m) { return m.online; });
            rig.units[0]->dropConnections();
            ++drops;
            expectAll([](const Member &m) { return m.offline; }, off, 5000);
            expectAll([](const Member &m) { return m.online; }, on, 15000);
        }
        // A quarter of the clients leave every few rounds.
        if (++round % 3 == 0)
            members.erase(members.begin(), members.begin() + 5);
        if (rig.dapd.state() != QProcess::Running) {
            std::printf("dapd ended during the soak (exit %d)\n", rig.dapd.exitCode());
            return 1;
        }
    }
    const long endKb = residentKb(pid);
    std::printf("soak of %d s: %d client sessions (20 at once), %d drops of a unit, %d checks\n",
                seconds, sessions, drops, checks);
    std::printf("dapd resident memory: %ld kB after 10 s, %ld kB at the end (%+.1f %%)\n", startKb,
                endKb, startKb ? 100.0 * double(endKb - startKb) / double(startKb) : 0.0);
    std::printf("times a client was not told of a change or a drop: %d\n", missed);
    return missed == 0 && startKb && endKb < startKb * 1.05 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Rig rig;
    if (!rig.start())
        return 1;
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--soak"))
        return runSoak(rig, qBound(10, args[2].toInt(), 3600));
    return runBenchmark(rig);
}
