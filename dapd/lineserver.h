#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

class QTcpServer;
class UnitHub;

// The line protocol's TCP port: one LineSession per client.
class LineServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LineServer)

public:
    static constexpr int MaxClients = 256;

    // `token` empty: no token is asked for.
    LineServer(UnitHub &hub, const QByteArray &token, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port, QString &error);
    quint16 port() const;
    int clientCount() const { return m_clients; }

signals:
    void clientRefused();

private:
    UnitHub &m_hub;
    QByteArray m_token;
    QTcpServer *m_server;
    int m_clients = 0;
};
