#include "fuzz/pagerig.h"

#include "app/mainwindow.h"
#include "fuzz/fuzzsupport.h"
#include "pages/operatorprompt.h"
#include "presets/qpreset.h"
#include "protocol/commands.h"
#include "settings/settings.h"

#include <QApplication>

namespace {

class SilentPrompt final : public OperatorPrompt
{
public:
    int ask(QWidget *, QMessageBox::Icon, const QString &, const QString &, const QStringList &,
            int) override
    {
        return 0;
    }
    void inform(QWidget *, QMessageBox::Icon, const QString &, const QString &) override {}
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
};

} // namespace

PageRig::PageRig()
{
    container.installRoutes(router);
    for (quint8 module : {Proto::FirmwareModule::Arm, Proto::FirmwareModule::Dsp})
        router.setRoute(Proto::OpFirmware, module, [this](const Proto::Frame &f) {
            firmware.acknowledge(f.module, f.cmd, f.flag, f.length, f.payload);
        });
    container.setPage(FuncWidget::Preset, new QPreset(progress.guard()), QPreset::Module);
    settings::install(&container);
    QObject::connect(&container, &FuncWidget::sig_fault, &faults, &FaultReport::setFault);
    socket.makeCurrent();
}

void PageRig::initApplication(const char *name)
{
    static int argc = 1;
    static QByteArray programName(name);
    static char *argv[] = {programName.data(), nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    quietLogging();
    new QApplication(argc, argv);
    MainWindow::initResources();
    OperatorPrompt::install(new SilentPrompt);
}
