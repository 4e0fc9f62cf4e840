#pragma once

#include "protocol/frame.h"

#include <QByteArray>
#include <QtGlobal>

class QTcpSocket;

// The process-wide transmit path. Any widget may send a command to the unit that
// is currently selected without holding its socket: a frame is written when the
// current socket is connected and silently dropped otherwise.

// The code written into every frame sent (and used by discovery to pick units).
quint16 codeId();
void setCodeId(quint16 code);

// True only after the selected unit has answered a login with success; cleared
// when another unit is selected or its connection changes state.
bool isLoggedIn();
void setLoggedIn(bool loggedIn);

// The socket of the selected unit, or nullptr. The socket is owned elsewhere;
// when it is destroyed the transmit path forgets it.
QTcpSocket *currentSocket();
void setCurrentSocket(QTcpSocket *tcpSocket);
// A number that changes whenever another socket (or none) becomes current.
// A send prepared for one unit is dropped when it changed in between.
quint32 socketGeneration();

// Writes `count` bytes on the current socket and flushes it, only when there is
// a current socket in the connected state. Inside a send batch the flush waits
// for the end of the batch.
void tcpSend(const char *bytes, qint64 count);

// Frames written between these calls (nested calls count) reach the system in
// one write when the outermost batch ends, rather than one write per frame:
// the bytes and their order are the same. Use SendBatch (sendbatch.h).
void beginSendBatch();
void endSendBatch();

// Frames `length` payload bytes with the current code and hands them to tcpSend.
// A payload larger than the transmit buffer allows is refused (logged, not sent).
void sendPacket(quint8 op, quint8 module, quint8 cmd, quint8 flag, const char *payload,
                quint16 length);
inline void sendPacket(quint8 op, quint8 module, quint8 cmd, quint8 flag,
                       const QByteArray &payload = QByteArray())
{
    sendPacket(op, module, cmd, flag, payload.constData(), quint16(payload.size()));
}

// Sends a frame made elsewhere (the unit model's writes) as sendPacket does.
void sendFrame(const Proto::Frame &frame);

// A block write: op 3, flag 1, payload = channel byte followed by `data`.
void sendCommand(quint8 module, quint8 cmd, quint8 channel, const char *data, int length);
inline void sendCommand(quint8 module, quint8 cmd, quint8 channel, const QByteArray &data)
{
    sendCommand(module, cmd, channel, data.constData(), data.size());
}
