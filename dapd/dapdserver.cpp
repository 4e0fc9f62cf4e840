#include "dapd/dapdserver.h"

#include "dapd/apiserver.h"
#include "dapd/dapdlog.h"
#include "dapd/lineserver.h"

namespace {

bool isLoopback(const QHostAddress &address)
{
    return address.isLoopback();
}

} // namespace

DapdServer::DapdServer(const DapdOptions &options, const DapdConfig &config,
                       const UnitHub::Settings &hub, QObject *parent)
    : QObject(parent), m_options(options), m_config(config), m_hub(new UnitHub(hub, config, this))
{
}

// The clients go before the units they hold subscriptions of.
DapdServer::~DapdServer()
{
    delete m_api;
    delete m_line;
}

UnitHub::Settings DapdServer::hubSettings(const DapdOptions &options)
{
    UnitHub::Settings s;
    s.scope = options.discoveryScope();
    s.discovery = options.discovery;
    s.addresses = options.units;
    return s;
}

bool DapdServer::loadConfig(const DapdOptions &options, const QString &environmentPassword,
                            bool hasEnvironmentPassword, DapdConfig &config, QString &error)
{
    const QString path = options.configPath();
    if (!path.isEmpty() && !config.readFile(path, error))
        return false;
    if (hasEnvironmentPassword)
        config.defaultPassword = environmentPassword;
    return true;
}

bool DapdServer::start(QString &error)
{
    const bool open = !isLoopback(m_options.listenAddress) ||
                      (m_options.lineEnabled && !isLoopback(m_options.lineAddress));
    if (open && m_config.token.isEmpty()) {
        error = QStringLiteral("listening on an address other than loopback needs a token: name "
                               "a token file (mode 0600) as \"token_file\" in the configuration");
        return false;
    }
    m_api = new ApiServer(
        *m_hub, ApiServer::Security{m_config.token, m_config.tlsCertificate, m_config.tlsKey},
        this);
    if (!m_api->listen(m_options.listenAddress, m_options.listenPort, error))
        return false;
    qCInfo(lcDapd).noquote() << QStringLiteral("WebSocket API on %1 port %2%3%4")
                                    .arg(m_options.listenAddress.toString())
                                    .arg(m_api->port())
                                    .arg(m_config.tlsCertificate.isEmpty() ? "" : ", TLS")
                                    .arg(m_config.token.isEmpty() ? "" : ", token required");
    if (m_options.lineEnabled) {
        m_line = new LineServer(*m_hub, m_config.token, this);
        if (!m_line->listen(m_options.lineAddress, m_options.linePort, error))
            return false;
        qCInfo(lcDapd).noquote() << QStringLiteral("line protocol on %1 port %2")
                                        .arg(m_options.lineAddress.toString())
                                        .arg(m_line->port());
    }
    return m_hub->start(error);
}
