// The yardstick of bench_startup: a bare QMainWindow of the same size as
// dapcontrol's, started and measured the same way (see ProbeApplication).

#include "tools/startupprobe/startupprobe.h"

#include <QMainWindow>

int main(int argc, char *argv[])
{
    const bool probe = ProbeApplication::takeProbeOption(argc, argv);
    ProbeApplication app(argc, argv);
    app.setProbe(probe);
    QMainWindow window;
    window.resize(1024, 600);
    window.show();
    return app.exec();
}
