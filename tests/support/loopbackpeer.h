#pragma once

#include "tests/support/testsupport.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A connected loopback pair standing in for a unit: `client()` is made the
// current socket of the transmit path, and everything the program sends on it
// arrives at the peer, which cuts it into frames.
class LoopbackPeer final : public QObject
{
    Q_OBJECT

public:
    LoopbackPeer();
    ~LoopbackPeer() override;

    bool isReady() const { return m_peer && m_client.state() == QAbstractSocket::ConnectedState; }
    QTcpSocket *client() { return &m_client; }
    QTcpSocket *peer() { return m_peer; }

    // Frames received so far, and waiting for at least `count` of them.
    const QVector<Proto::Frame> &frames() const { return m_collector.frames; }
    bool waitForFrames(int count, int timeoutMs = 3000);
    // True when no frame arrives within `ms` (for "nothing is sent" checks).
    bool staysQuiet(int ms = 200);
    QByteArray rawReceived() const { return m_raw; }
    void clear();

private:
    QTcpServer m_server;
    QTcpSocket m_client;
    QPointer<QTcpSocket> m_peer;
    FrameCollector m_collector;
    QByteArray m_raw;
};
