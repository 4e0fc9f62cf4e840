// dapd: the control server. Everything but reading the command line and
// the environment is the dap_dapd library, which the tests run in-process.

#include "dapd/dapdoptions.h"
#include "dapd/dapdserver.h"
#include "protocol/transport.h"

#include <QCoreApplication>
#include <QNetworkProxy>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dapd"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DAP_VERSION));

    DapdOptions options;
    QString error;
    switch (options.parse(app.arguments().mid(1), error)) {
    case DapdOptions::Parsed::Help:
        std::fputs(DapdOptions::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case DapdOptions::Parsed::Version:
        std::printf("dapd %s\n", DAP_VERSION);
        return 0;
    case DapdOptions::Parsed::Error:
        std::fprintf(stderr, "dapd: %s\n", error.toLocal8Bit().constData());
        return 2;
    case DapdOptions::Parsed::Run:
        break;
    }
    DapdConfig config;
    const QByteArray password = qgetenv("DAPD_PASSWORD");
    if (!DapdServer::loadConfig(options, QString::fromLocal8Bit(password),
                                qEnvironmentVariableIsSet("DAPD_PASSWORD"), config, error)) {
        std::fprintf(stderr, "dapd: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    // Units are never reached through a proxy.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    setCodeId(options.code);

    DapdServer server(options, config, DapdServer::hubSettings(options));
    if (!server.start(error)) {
        std::fprintf(stderr, "dapd: %s\n", error.toLocal8Bit().constData());
        return 1;
    }

    // SIGTERM (systemd) and SIGINT end the event loop, so the clients and
    // units are closed in order.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    return app.exec();
}
