#pragma once

#include "protocol/frame.h"

#include <QByteArray>
#include <QTcpSocket>
#include <QVector>

// A socket that reports itself connected and keeps what is written to it,
// without any network: made the current socket of the transmit path, it
// collects every frame the code under test sends.
class CaptureSocket final : public QTcpSocket
{
    Q_OBJECT
    Q_DISABLE_COPY(CaptureSocket)

public:
    CaptureSocket();

    // Makes this the transmit path's current socket.
    void makeCurrent();

    // The frames written since the last call. Aborts the process when the
    // bytes are not a run of whole, well-formed frames: everything the
    // program sends must parse back.
    QVector<Proto::Frame> takeFrames();

protected:
    qint64 writeData(const char *data, qint64 size) override;

private:
    QByteArray m_written;
};
