#include "protocol/transport.h"

#include "protocol/frame.h"
#include "protocol/frametrace.h"
#include "protocol/linkwatch.h"
#include "protocol/protocollog.h"

#include <QPointer>
#include <QTcpSocket>

namespace {
quint16 g_codeId = 1;
QPointer<QTcpSocket> g_currentSocket;
bool g_loggedIn = false;
quint32 g_socketGeneration = 0;
char g_txBuffer[Proto::MaxPayload + Proto::Overhead];
int g_batchDepth = 0;
QPointer<QTcpSocket> g_batchSocket; // written to in the open batch, not yet flushed
QMetaObject::Connection g_stateWatch;
QMetaObject::Connection g_destroyWatch;

// Takes the state from the signal: a socket being destroyed still reports its
// last change, when it is no longer a whole QTcpSocket.
void linkStateChanged(QAbstractSocket::SocketState state)
{
    LinkWatch::instance()->update(state == QAbstractSocket::ConnectedState);
}
} // namespace

quint16 codeId()
{
    return g_codeId;
}

void setCodeId(quint16 code)
{
    g_codeId = code;
}

bool isLoggedIn()
{
    return g_loggedIn;
}

void setLoggedIn(bool loggedIn)
{
    g_loggedIn = loggedIn;
}

QTcpSocket *currentSocket()
{
    return g_currentSocket.data();
}

void setCurrentSocket(QTcpSocket *tcpSocket)
{
    if (g_currentSocket.data() != tcpSocket) {
        ++g_socketGeneration;
        QObject::disconnect(g_stateWatch);
        QObject::disconnect(g_destroyWatch);
        if (tcpSocket) {
            LinkWatch *watch = LinkWatch::instance();
            g_stateWatch = QObject::connect(tcpSocket, &QAbstractSocket::stateChanged, watch,
                                            linkStateChanged);
            // The QPointer is cleared only after the socket is gone.
            g_destroyWatch = QObject::connect(tcpSocket, &QObject::destroyed, watch,
                                              [] { LinkWatch::instance()->update(false); });
        }
    }
    g_currentSocket = tcpSocket;
    LinkWatch::instance()->update(tcpSocket &&
                                  tcpSocket->state() == QAbstractSocket::ConnectedState);
}

quint32 socketGeneration()
{
    return g_socketGeneration;
}

void tcpSend(const char *bytes, qint64 count)
{
    QTcpSocket *socket = g_currentSocket.data();
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    socket->write(bytes, count);
    FrameTrace::sent(bytes, count);
    if (g_batchDepth > 0) {
        if (g_batchSocket && g_batchSocket != socket)
            g_batchSocket->flush();
        g_batchSocket = socket;
        return;
    }
    socket->flush();
}

void beginSendBatch()
{
    ++g_batchDepth;
}

void endSendBatch()
{
    if (g_batchDepth == 0 || --g_batchDepth > 0)
        return;
    if (QTcpSocket *socket = g_batchSocket.data())
        socket->flush();
    g_batchSocket.clear();
}

void sendPacket(quint8 op, quint8 module, quint8 cmd, quint8 flag, const char *payload,
                quint16 length)
{
    if (length > Proto::MaxPayload) {
        qCWarning(lcProtocol, "frame of %u payload bytes refused (largest is %d)", length,
                  Proto::MaxPayload);
        return;
    }
    const int size =
        Proto::encodeFrame(g_txBuffer, g_codeId, op, module, cmd, flag, payload, length);
    tcpSend(g_txBuffer, size);
}

void sendFrame(const Proto::Frame &frame)
{
    if (frame.op != 0)
        sendPacket(frame.op, frame.module, frame.cmd, frame.flag, frame.payload);
}

void sendCommand(quint8 module, quint8 cmd, quint8 channel, const char *data, int length)
{
    QByteArray payload;
    payload.reserve(length + 1);
    payload.append(char(channel));
    if (length > 0)
        payload.append(data, length);
    sendPacket(Proto::OpBlock, module, cmd, Proto::FlagWrite, payload.constData(),
               quint16(payload.size()));
}
