#include "dapd/apiserver.h"

#include "dapd/dapdlog.h"
#include "dapd/privatefile.h"
#include "dapd/rpcsession.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {
// Set on a socket while its upgrade request is awaited.
const char *const UpgradingProperty = "dapdUpgrading";
} // namespace

// The TCP listener: plain sockets, or TLS sockets that start their handshake
// at once.
class ApiServer::Listener final : public QTcpServer
{
public:
    explicit Listener(QObject *parent) : QTcpServer(parent) {}

    bool setTls(const QString &certificate, const QString &key, QString &error)
    {
        if (!QSslSocket::supportsSsl()) {
            error = QStringLiteral("TLS is not available (no SSL library)");
            return false;
        }
        QFile cert(certificate);
        if (!cert.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("%1: %2").arg(certificate, cert.errorString());
            return false;
        }
        const QList<QSslCertificate> chain = QSslCertificate::fromData(cert.read(1 << 20));
        QByteArray keyBytes;
        if (!PrivateFile::read(key, 1 << 20, keyBytes, error))
            return false;
        QSslKey privateKey(keyBytes, QSsl::Rsa);
        if (privateKey.isNull())
            privateKey = QSslKey(keyBytes, QSsl::Ec);
        if (chain.isEmpty() || privateKey.isNull()) {
            error =
                QStringLiteral("%1 or %2: no certificate or key in PEM form").arg(certificate, key);
            return false;
        }
        m_config = QSslConfiguration::defaultConfiguration();
        m_config.setLocalCertificateChain(chain);
        m_config.setPrivateKey(privateKey);
        m_tls = true;
        return true;
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (!m_tls) {
            QTcpServer::incomingConnection(descriptor);
            return;
        }
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setSslConfiguration(m_config);
        socket->startServerEncryption();
        addPendingConnection(socket);
    }

private:
    bool m_tls = false;
    QSslConfiguration m_config;
};

ApiServer::ApiServer(UnitHub &hub, const Security &security, QObject *parent)
    : QObject(parent), m_hub(hub), m_security(security), m_listener(new Listener(this)),
      m_ws(new QWebSocketServer(QStringLiteral("dapd"), QWebSocketServer::NonSecureMode, this))
{
    connect(m_listener, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_listener->nextPendingConnection())
            onConnection(socket);
    });
    connect(m_ws, &QWebSocketServer::newConnection, this, &ApiServer::onWebSocket);
}

ApiServer::~ApiServer() = default;

bool ApiServer::listen(const QHostAddress &address, quint16 port, QString &error)
{
    if (!m_security.certificate.isEmpty() &&
        !m_listener->setTls(m_security.certificate, m_security.key, error))
        return false;
    if (!m_listener->listen(address, port)) {
        error = QStringLiteral("cannot listen on %1 port %2: %3")
                    .arg(address.toString())
                    .arg(port)
                    .arg(m_listener->errorString());
        return false;
    }
    return true;
}

quint16 ApiServer::port() const
{
    return m_listener->serverPort();
}

void ApiServer::onConnection(QTcpSocket *socket)
{
    // Notifications leave at once.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    if (m_clients + m_upgrading >= MaxClients) {
        refuse(socket, "503 Service Unavailable",
               QStringLiteral("more than %1 clients").arg(MaxClients));
        return;
    }
    // Counted until it is upgraded, refused or gone.
    ++m_upgrading;
    socket->setProperty(UpgradingProperty, true);
    connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { uncount(socket); });
    // The upgrade request must come whole, and soon.
    auto *deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, socket] {
        refuse(socket, "408 Request Timeout", QStringLiteral("no upgrade request in time"));
    });
    deadline->start(UpgradeTimeoutMs);
    connect(socket, &QIODevice::readyRead, this, [this, socket] { checkUpgrade(socket); });
}

void ApiServer::checkUpgrade(QTcpSocket *socket)
{
    // Looked at, not taken: the WebSocket server reads the request itself.
    const QByteArray head = socket->peek(MaxUpgradeBytes);
    const int end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() >= MaxUpgradeBytes)
            refuse(socket, "431 Request Header Fields Too Large",
                   QStringLiteral("upgrade request larger than %1 bytes").arg(MaxUpgradeBytes));
        return;
    }
    if (!m_security.token.isEmpty()) {
        QByteArray presented;
        for (const QByteArray &line : head.left(end).split('\n')) {
            const int colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).trimmed().toLower() == "authorization") {
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (value.startsWith("Bearer "))
                    presented = value.mid(7).trimmed();
            }
        }
        if (!PrivateFile::sameSecret(presented, m_security.token)) {
            refuse(socket, "401 Unauthorized",
                   presented.isEmpty() ? QStringLiteral("no token")
                                       : QStringLiteral("wrong token"));
            return;
        }
    }
    disconnect(socket, nullptr, this, nullptr);
    disconnect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    uncount(socket);
    qDeleteAll(socket->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly));
    m_ws->handleConnection(socket);
    // The request is already buffered: make sure the server looks at it.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(socket, "readyRead", Qt::QueuedConnection);
}

void ApiServer::uncount(QTcpSocket *socket)
{
    if (socket->property(UpgradingProperty).toBool()) {
        socket->setProperty(UpgradingProperty, false);
        --m_upgrading;
    }
}

void ApiServer::refuse(QTcpSocket *socket, const QByteArray &status, const QString &reason)
{
    ++m_refused;
    uncount(socket);
    qCWarning(lcDapd).noquote() << QStringLiteral("refused WebSocket client %1: %2")
                                       .arg(socket->peerAddress().toString(), reason);
    disconnect(socket, nullptr, this, nullptr);
    socket->write("HTTP/1.1 " + status + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    socket->disconnectFromHost();
    emit clientRefused();
}

void ApiServer::onWebSocket()
{
    while (QWebSocket *ws = m_ws->nextPendingConnection()) {
        ws->setParent(this);
        ws->setMaxAllowedIncomingMessageSize(HardMessageLimit);
        ws->setMaxAllowedIncomingFrameSize(HardMessageLimit);
        ++m_clients;
        const QString peer =
            QStringLiteral("%1:%2").arg(ws->peerAddress().toString()).arg(ws->peerPort());
        qCInfo(lcDapd).noquote() << QStringLiteral("WebSocket client %1 connected").arg(peer);
        auto *session = new RpcSession(
            m_hub,
            [ws, peer](const QByteArray &message) {
                if (ws->state() != QAbstractSocket::ConnectedState)
                    return;
                if (ws->bytesToWrite() > MaxBacklogBytes) {
                    qCWarning(lcDapd).noquote()
                        << QStringLiteral("WebSocket client %1 reads too slowly; dropped")
                               .arg(peer);
                    ws->abort();
                    return;
                }
                ws->sendTextMessage(QString::fromUtf8(message));
            },
            ws);
        connect(ws, &QWebSocket::textMessageReceived, session,
                [session](const QString &message) { session->handleMessage(message.toUtf8()); });
        connect(ws, &QWebSocket::binaryMessageReceived, session,
                [session](const QByteArray &message) { session->handleMessage(message); });
        connect(ws, &QWebSocket::disconnected, this, [this, ws, peer] {
            --m_clients;
            qCInfo(lcDapd).noquote() << QStringLiteral("WebSocket client %1 left").arg(peer);
            ws->deleteLater();
        });
    }
}
