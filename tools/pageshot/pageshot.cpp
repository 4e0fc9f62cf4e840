// dap-pageshot: pictures of the program's pages for looking at them and for
// the documentation. It starts simulated units in the same process, opens the
// main window against them on loopback, logs in, shows the pages asked for,
// and saves what is on screen as PNG files.
//
//   dap-pageshot --page 8 --out shots/          (run from the run directory)
//   dap-pageshot --page 4 --click "Copy to" --grab dialogs --out shots/
//   dap-pageshot --page 1 --unit "82 7D 01 00 03 0B 02 01 02 00 00 01 7D 82" --out shots/
//   dap-pageshot --page 16 --firmware-silent-after 40 --file fw.sbin
//                --action "Update ARM Firmware" --grab dialogs --out shots/
//   dap-pageshot --page 3 --eq-import room.txt --grab dialogs --out shots/
//
// With the offscreen platform (QT_QPA_PLATFORM=offscreen) no display is
// needed. Nothing leaves 127.0.0.0/8.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "devices/discoveryscope.h"
#include "devices/qdevicetable.h"
#include "pages/filters/filterpage.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "protocol/commands.h"
#include "protocol/streamsplitter.h"
#include "protocol/transport.h"
#include "sim/demostate.h"
#include "sim/firmwareblock.h"
#include "sim/simoptions.h"
#include "sim/simunit.h"
#include "widgets/settingsstore.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

quint16 freeUdpPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::LocalHost, 0);
    return s.localPort();
}

// Runs the event loop until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

void settle(int ms)
{
    waitFor([] { return false; }, ms);
}

// A button below `root` whose object name or text is `name`.
QAbstractButton *findButton(QWidget *root, const QString &name)
{
    const auto buttons = root->findChildren<QAbstractButton *>();
    for (QAbstractButton *b : buttons)
        if (b->isVisible() && (b->objectName() == name || b->text() == name))
            return b;
    return nullptr;
}

// File dialogs answered with one path; questions with the choice given
// (--answer), or asked as usual.
class FilePrompt final : public OperatorPrompt
{
public:
    FilePrompt(const QString &path, int answer) : m_path(path), m_answer(answer) {}
    int ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
            const QStringList &buttons, int defaultButton) override
    {
        if (m_answer >= 0 && m_answer < buttons.size())
            return m_answer;
        return OperatorPrompt::ask(parent, icon, title, text, buttons, defaultButton);
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return m_path;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return m_path;
    }

private:
    QString m_path;
    int m_answer;
};

bool save(QWidget *w, const QString &path)
{
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dap-pageshot"));
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Pictures of the program's pages."));
    cli.addHelpOption();
    cli.addOption({QStringLiteral("page"), QStringLiteral("Page index (repeatable)."),
                   QStringLiteral("index")});
    cli.addOption({QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                   QStringLiteral("dir"), QStringLiteral(".")});
    cli.addOption({QStringLiteral("size"), QStringLiteral("Window size."), QStringLiteral("WxH"),
                   QStringLiteral("1024x600")});
    cli.addOption({QStringLiteral("wait"), QStringLiteral("Milliseconds to let a page fill."),
                   QStringLiteral("ms"), QStringLiteral("1500")});
    cli.addOption({QStringLiteral("click"),
                   QStringLiteral("After the page is shown, click the button with this object "
                                  "name or text (repeatable, in order)."),
                   QStringLiteral("button")});
    cli.addOption({QStringLiteral("grab"),
                   QStringLiteral("What to save: window (default), or dialogs (every other "
                                  "visible top-level window too)."),
                   QStringLiteral("what"), QStringLiteral("window")});
    cli.addOption({QStringLiteral("language"), QStringLiteral("Language index (0 English)."),
                   QStringLiteral("n"), QStringLiteral("0")});
    cli.addOption({QStringLiteral("fault"), QStringLiteral("Fault byte of the simulated unit."),
                   QStringLiteral("byte"), QStringLiteral("0")});
    cli.addOption({QStringLiteral("demo"),
                   QStringLiteral("Start the simulated unit with demonstration settings.")});
    cli.addOption({QStringLiteral("unit"),
                   QStringLiteral("Frames in hexadecimal (as the command tool prints them) the "
                                  "simulated unit takes before the window opens, to set it up "
                                  "(repeatable)."),
                   QStringLiteral("hex")});
    cli.addOption({QStringLiteral("voltages"),
                   QStringLiteral("Supply voltages of the simulated unit: seven numbers, or "
                                  "\"null\" for a unit that reports none."),
                   QStringLiteral("list")});
    cli.addOption(
        {QStringLiteral("dsp-version"),
         QStringLiteral("DSP version of the simulated unit (below 2.8: 16 filter bands)."),
         QStringLiteral("a.b.c")});
    cli.addOption({QStringLiteral("action"),
                   QStringLiteral("Before the clicks, trigger the menu action with this text."),
                   QStringLiteral("text")});
    cli.addOption({QStringLiteral("eq-import"),
                   QStringLiteral("On a filter page, open the preview of importing this "
                                  "equaliser file."),
                   QStringLiteral("file")});
    cli.addOption({QStringLiteral("menu"),
                   QStringLiteral("Open the menu bar's menu of this title (its picture with "
                                  "--grab dialogs)."),
                   QStringLiteral("title")});
    cli.addOption({QStringLiteral("answer"),
                   QStringLiteral("Answer every question with this choice (0 the first)."),
                   QStringLiteral("n")});
    cli.addOption({QStringLiteral("file"),
                   QStringLiteral("Answer every file dialog with this path."),
                   QStringLiteral("path")});
    cli.addOption({QStringLiteral("firmware-silent-after"),
                   QStringLiteral("The simulated unit stops acknowledging firmware chunks after "
                                  "chunk n."),
                   QStringLiteral("n"), QStringLiteral("-1")});
    cli.process(app);

    prepareApplication(app);
    userSettings().remove(QStringLiteral("LastDevice"));

    SimUnitConfig config;
    config.bind = QHostAddress(QStringLiteral("127.0.0.2"));
    config.port = 0;
    config.announcePort = freeUdpPort();
    config.announceIntervalMs = 200;
    config.machineId = 1001;
    SimUnit unit(config);
    if (!unit.start()) {
        std::fprintf(stderr, "cannot start the simulated unit: %s\n",
                     qPrintable(unit.errorString()));
        return 1;
    }
    unit.setFaultByte(quint8(cli.value(QStringLiteral("fault")).toUInt()));
    if (cli.isSet(QStringLiteral("demo")))
        loadDemoState(unit.model());
    StreamSplitter setUp([&unit](const Proto::Frame &f) { unit.model().handle(f); });
    for (const QString &hex : cli.values(QStringLiteral("unit")))
        setUp.feed(QByteArray::fromHex(hex.toLatin1()));
    if (cli.isSet(QStringLiteral("voltages"))) {
        std::array<float, 7> volts{};
        bool refused = false;
        if (!parseVoltages(cli.value(QStringLiteral("voltages")), volts, refused)) {
            std::fprintf(stderr, "--voltages takes seven numbers or null\n");
            return 2;
        }
        if (refused)
            unit.setReportsVoltages(false);
        else
            unit.setVoltages(volts);
    }
    if (cli.isSet(QStringLiteral("dsp-version"))) {
        const QStringList v = cli.value(QStringLiteral("dsp-version")).split(QLatin1Char('.'));
        for (int i = 0; i < 3; ++i)
            unit.model().system().dspVersion[size_t(i)] = quint8(v.value(i).toUInt());
    }
    for (quint8 module : {Proto::FirmwareModule::Arm, Proto::FirmwareModule::Dsp})
        unit.model()
            .blockAs<FirmwareBlock>(Proto::OpFirmware, module)
            ->stopAcknowledgingAfter(cli.value(QStringLiteral("firmware-silent-after")).toInt());
    FilePrompt filePrompt(
        cli.value(QStringLiteral("file")),
        cli.isSet(QStringLiteral("answer")) ? cli.value(QStringLiteral("answer")).toInt() : -1);
    if (cli.isSet(QStringLiteral("file")) || cli.isSet(QStringLiteral("answer")))
        OperatorPrompt::install(&filePrompt);

    MainWindow window(
        DiscoveryScope::loopback(config.announcePort, freeUdpPort(), unit.serverPort()), nullptr);
    window.applyLanguage(cli.value(QStringLiteral("language")).toInt());
    const QStringList size = cli.value(QStringLiteral("size")).split(QLatin1Char('x'));
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    window.show();

    QDeviceTable *table = window.deviceTable();
    if (!waitFor([table] { return table->count() > 0; }, 5000)) {
        std::fprintf(stderr, "the simulated unit was not discovered\n");
        return 1;
    }
    window.devChanged(0);
    if (!waitFor([] { return isLoggedIn(); }, 5000)) {
        std::fprintf(stderr, "no login\n");
        return 1;
    }

    QDir out(cli.value(QStringLiteral("out")));
    out.mkpath(QStringLiteral("."));
    const int wait = cli.value(QStringLiteral("wait")).toInt();
    QStringList pages = cli.values(QStringLiteral("page"));
    if (pages.isEmpty())
        pages << QString::number(window.funcWidget()->currentIndex());
    bool ok = true;
    for (const QString &p : qAsConst(pages)) {
        const int index = p.toInt();
        window.funcWidget()->pageButton(index)->click();
        settle(wait);
        const QString base =
            out.filePath(QStringLiteral("page%1").arg(index, 2, 10, QLatin1Char('0')));
        // Clicks run from the event loop, so a button that opens a modal
        // dialog does not stop the pictures from being taken.
        const QStringList clicks = cli.values(QStringLiteral("click"));
        bool done = false;
        QTimer::singleShot(0, [&] {
            if (cli.isSet(QStringLiteral("eq-import"))) {
                auto *filters = qobject_cast<FilterPage *>(window.funcWidget()->page(index));
                if (!filters || !filters->importEqFile(cli.value(QStringLiteral("eq-import")))) {
                    std::fprintf(stderr, "no import preview on page %d\n", index);
                    ok = false;
                }
                settle(wait / 2);
            }
            if (cli.isSet(QStringLiteral("action"))) {
                const auto actions = window.findChildren<QAction *>();
                for (QAction *a : actions)
                    if (a->text() == cli.value(QStringLiteral("action")))
                        QTimer::singleShot(0, a, &QAction::trigger);
                settle(wait / 2);
            }
            for (const QString &name : clicks) {
                QWidget *root = QApplication::activeModalWidget();
                QAbstractButton *b = findButton(root ? root : &window, name);
                if (!b) {
                    std::fprintf(stderr, "no button \"%s\"\n", qPrintable(name));
                    ok = false;
                    continue;
                }
                QTimer::singleShot(0, b, &QAbstractButton::click);
                settle(wait / 2);
            }
            if (cli.isSet(QStringLiteral("menu"))) {
                // The menu bar's menu of that title, open below its title.
                QMenuBar *bar = window.menuBar();
                for (QAction *a : bar->actions())
                    if (a->menu() &&
                        a->text().remove(QLatin1Char('&')) == cli.value(QStringLiteral("menu")))
                        a->menu()->popup(bar->mapToGlobal(bar->actionGeometry(a).bottomLeft()));
            }
            settle(wait / 2);
            ok = save(&window, base + QStringLiteral(".png")) && ok;
            if (cli.value(QStringLiteral("grab")) == QLatin1String("dialogs")) {
                int n = 0;
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (w != &window && w->isVisible() && w->isWindow())
                        ok = save(w, base + QStringLiteral("-%1.png").arg(++n)) && ok;
            }
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w != &window && w->isVisible())
                    w->close();
            done = true;
        });
        waitFor([&] { return done; }, 60000);
    }
    OperatorPrompt::install(nullptr);
    return ok ? 0 : 1;
}
