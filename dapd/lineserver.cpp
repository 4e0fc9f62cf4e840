#include "dapd/lineserver.h"

#include "dapd/dapdlog.h"
#include "dapd/linesession.h"

#include <QTcpServer>
#include <QTcpSocket>

LineServer::LineServer(UnitHub &hub, const QByteArray &token, QObject *parent)
    : QObject(parent), m_hub(hub), m_token(token), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            if (m_clients >= MaxClients) {
                qCWarning(lcDapd) << "more than" << MaxClients << "line clients; one refused";
                socket->write("error: too many clients\n");
                socket->disconnectFromHost();
                connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
                continue;
            }
            ++m_clients;
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            qCInfo(lcDapd).noquote()
                << QStringLiteral("line client %1 connected").arg(socket->peerAddress().toString());
            auto *session = new LineSession(m_hub, socket, m_token, this);
            connect(session, &LineSession::refused, this, &LineServer::clientRefused);
            connect(session, &LineSession::finished, this, [this, session] {
                --m_clients;
                session->deleteLater();
            });
        }
    });
}

bool LineServer::listen(const QHostAddress &address, quint16 port, QString &error)
{
    if (!m_server->listen(address, port)) {
        error = QStringLiteral("cannot listen on %1 port %2: %3")
                    .arg(address.toString())
                    .arg(port)
                    .arg(m_server->errorString());
        return false;
    }
    return true;
}

quint16 LineServer::port() const
{
    return m_server->serverPort();
}
