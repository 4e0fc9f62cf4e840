// Start-up of dapcontrol against a bare QMainWindow program, measured the same
// way: each program is started with --probe and reports when its first expose
// has been handled, when its start is complete (every page built; for the bare
// window that is the expose) and, a second later, its resident memory. Times
// are taken here, from starting the process to reading each line, so loading
// the libraries counts as it does for a person.
// The programs are run in turn, round after round, so that background load
// falls on all of them alike; the figures are medians.
//
// Needs a display (run it under xvfb-run). Each program runs in its own
// scratch folder holding copies of the run files next to it (cfg.dat,
// translations/, image/) with its own settings folder, and its discovery on
// unused loopback ports.
//
// Run: xvfb-run -a -s "-screen 0 1280x800x24" build/bench/bench_startup
//          [--rounds N] [--program PATH]... [--bare PATH]
// With several --program options (e.g. a build before and after a change)
// all of them are measured in the same rounds.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double exposeMs = 0; // from starting the process to its first expose handled
    double cpuMs = 0;    // CPU time of the process by then
    double readyMs = 0;  // to its start being complete (every page built)
    double readyCpuMs = 0;
    double rssKb = 0; // resident memory a second after that
};

struct Subject
{
    QString name;
    QString path;
    QStringList arguments;
    std::vector<Sample> samples;
    QStringList environment; // NAME=VALUE set for this program only
};

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double medianOf(const std::vector<Sample> &samples, double Sample::*field)
{
    std::vector<double> v;
    for (const Sample &s : samples)
        v.push_back(s.*field);
    return median(v);
}

bool copyTree(const QString &from, const QString &to)
{
    const QFileInfo info(from);
    if (!info.exists())
        return true;
    if (info.isFile())
        return QFile::copy(from, to);
    QDir().mkpath(to);
    const QStringList entries = QDir(from).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &e : entries)
        if (!copyTree(from + QLatin1Char('/') + e, to + QLatin1Char('/') + e))
            return false;
    return true;
}

// One start of `subject` in `folder`; false when it did not report.
bool runOnce(Subject &subject, const QString &folder)
{
    QProcess process;
    process.setProgram(subject.path);
    process.setArguments(QStringList{QStringLiteral("--probe")} + subject.arguments);
    process.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder + QStringLiteral("/runtime"));
    for (const QString &e : subject.environment)
        env.insert(e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    Sample sample;
    QElapsedTimer clock;
    clock.start();
    process.start();
    QByteArray out;
    bool exposed = false;
    bool ready = false;
    bool rss = false;
    while (!rss && process.waitForReadyRead(30000)) {
        out += process.readAllStandardOutput();
        int end;
        while ((end = out.indexOf('\n')) >= 0) {
            const QList<QByteArray> words = out.left(end).split(' ');
            out.remove(0, end + 1);
            if (words.value(0) == "exposed" && !exposed) {
                sample.exposeMs = double(clock.nsecsElapsed()) / 1e6;
                sample.cpuMs = words.value(1).toDouble() / 1000.0;
                exposed = true;
            } else if (words.value(0) == "ready" && !ready) {
                sample.readyMs = double(clock.nsecsElapsed()) / 1e6;
                sample.readyCpuMs = words.value(1).toDouble() / 1000.0;
                ready = true;
            } else if (words.value(0) == "rss") {
                sample.rssKb = words.value(1).toDouble();
                rss = true;
            }
        }
    }
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    if (!exposed || !ready || !rss) {
        std::fprintf(stderr, "%s did not report (exit %d)\n", qPrintable(subject.name),
                     process.exitCode());
        return false;
    }
    subject.samples.push_back(sample);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription(
        QStringLiteral("Start-up time and memory of dapcontrol against a bare window."));
    cli.addHelpOption();
    cli.addOption({QStringLiteral("rounds"), QStringLiteral("Measured rounds (default 9)."),
                   QStringLiteral("n"), QStringLiteral("9")});
    cli.addOption({QStringLiteral("program"),
                   QStringLiteral("A dapcontrol on loopback (dap-loopback) to measure; "
                                  "repeatable. Default: the one of this build."),
                   QStringLiteral("path")});
    cli.addOption({QStringLiteral("bare"), QStringLiteral("The bare window program."),
                   QStringLiteral("path")});
    cli.process(app);

    const QString here = QCoreApplication::applicationDirPath();
    QStringList programs = cli.values(QStringLiteral("program"));
    if (programs.isEmpty())
        programs << QDir(here).filePath(QStringLiteral("../run/dap-loopback"));
    const QString bare = QFileInfo(cli.isSet(QStringLiteral("bare"))
                                       ? cli.value(QStringLiteral("bare"))
                                       : QDir(here).filePath(QStringLiteral("bench_bare_window")))
                             .absoluteFilePath();
    const int rounds = qMax(1, cli.value(QStringLiteral("rounds")).toInt());

    // Unused loopback ports: nothing announces there, so no unit is found.
    const QStringList ports{QStringLiteral("39697"), QStringLiteral("39698"),
                            QStringLiteral("39601")};
    // The bare window twice: as Qt starts it by default (which on X11 loads
    // the OpenGL driver), and without the OpenGL driver as dapcontrol starts
    // itself, which leaves only what the program itself adds.
    std::vector<Subject> subjects;
    subjects.push_back({QStringLiteral("bare QMainWindow"), bare, {}, {}, {}});
    subjects.push_back({QStringLiteral("bare QMainWindow without OpenGL"),
                        bare,
                        {},
                        {},
                        {QStringLiteral("QT_XCB_GL_INTEGRATION=none")}});
    for (const QString &p : programs) {
        // Started in its own folder: a relative path would no longer lead to it.
        const QString path = QDir::cleanPath(QFileInfo(p).absoluteFilePath());
        subjects.push_back({path, path, ports, {}, {}});
    }

    QTemporaryDir scratch;
    std::vector<QString> folders;
    for (size_t i = 0; i < subjects.size(); ++i) {
        const QString folder = scratch.filePath(QString::number(i));
        QDir().mkpath(folder + QStringLiteral("/config"));
        QDir().mkpath(folder + QStringLiteral("/runtime"));
        QFile::setPermissions(folder + QStringLiteral("/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString runDir = QFileInfo(subjects[i].path).absolutePath();
        for (const char *name : {"cfg.dat", "translations", "image"})
            copyTree(runDir + QLatin1Char('/') + QLatin1String(name),
                     folder + QLatin1Char('/') + QLatin1String(name));
        folders.push_back(folder);
    }

    // One unmeasured start each, so every program finds the files in the cache.
    for (size_t i = 0; i < subjects.size(); ++i) {
        if (!runOnce(subjects[i], folders[i]))
            return 1;
        subjects[i].samples.clear();
    }
    for (int r = 0; r < rounds; ++r) {
        // Alternate the order so that neither side always runs first.
        for (size_t k = 0; k < subjects.size(); ++k) {
            const size_t i = r % 2 ? subjects.size() - 1 - k : k;
            if (!runOnce(subjects[i], folders[i]))
                return 1;
        }
    }

    const auto row = [&](const char *label, double Sample::*field, const char *unit, double scale) {
        const double b = medianOf(subjects[0].samples, field);
        const double bNoGl = medianOf(subjects[1].samples, field);
        std::printf("%s\n", label);
        for (const Subject &s : subjects) {
            const double v = medianOf(s.samples, field);
            std::printf("  %9.1f %-3s %6.2f x %6.2f x  %s\n", v / scale, unit, b > 0 ? v / b : 0.0,
                        bNoGl > 0 ? v / bNoGl : 0.0, qPrintable(s.name));
        }
    };
    std::printf("medians of %d rounds; ratios to the bare window as Qt starts it, and to the "
                "bare window without OpenGL\n",
                rounds);
    row("time to the first expose (window painted)", &Sample::exposeMs, "ms", 1);
    row("CPU time by the first expose", &Sample::cpuMs, "ms", 1);
    row("time to a complete start (every page built)", &Sample::readyMs, "ms", 1);
    row("CPU time by the complete start", &Sample::readyCpuMs, "ms", 1);
    row("resident memory a second after the complete start", &Sample::rssKb, "MB", 1024);
    return 0;
}
