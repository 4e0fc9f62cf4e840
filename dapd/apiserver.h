#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;
class UnitHub;

// The WebSocket API: one RpcSession per client.
//
// The server reads each client's upgrade request itself before it hands the
// connection to QWebSocketServer, so a client that must present the token
// (`Authorization: Bearer TOKEN`) and does not is refused with 401 before
// any message of it is read, and nothing of it reaches a unit. The request
// is bounded in size and time. With a certificate and key the connection is
// TLS (wss://) from the first byte.
class ApiServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ApiServer)

public:
    static constexpr int MaxUpgradeBytes = 16 * 1024;
    static constexpr int UpgradeTimeoutMs = 10000;
    // Qt closes a connection whose message is larger than this; a message
    // above the API's own 1 MiB but below it is answered with an error.
    static constexpr quint64 HardMessageLimit = 8 * 1024 * 1024;
    // Clients at once, those still upgrading included.
    static constexpr int MaxClients = 1024;
    // A client that leaves this much unread is dropped.
    static constexpr qint64 MaxBacklogBytes = 16 * 1024 * 1024;

    struct Security
    {
        QByteArray token; // empty: no token asked
        QString certificate;
        QString key;
    };

    ApiServer(UnitHub &hub, const Security &security, QObject *parent = nullptr);
    ~ApiServer() override;

    bool listen(const QHostAddress &address, quint16 port, QString &error);
    quint16 port() const;
    int clientCount() const { return m_clients; }
    quint64 refusedCount() const { return m_refused; }

signals:
    void clientRefused();

private:
    class Listener;
    void onConnection(QTcpSocket *socket);
    void checkUpgrade(QTcpSocket *socket);
    void refuse(QTcpSocket *socket, const QByteArray &status, const QString &reason);
    void uncount(QTcpSocket *socket);
    void onWebSocket();

    UnitHub &m_hub;
    Security m_security;
    Listener *m_listener;
    QWebSocketServer *m_ws;
    int m_clients = 0;
    int m_upgrading = 0;
    quint64 m_refused = 0;
};
