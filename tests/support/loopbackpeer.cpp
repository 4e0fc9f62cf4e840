#include "tests/support/loopbackpeer.h"

#include "protocol/transport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

LoopbackPeer::LoopbackPeer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    m_client.connectToHost(QHostAddress::LocalHost, m_server.serverPort());
    if (m_server.waitForNewConnection(3000))
        m_peer = m_server.nextPendingConnection();
    if (m_client.state() != QAbstractSocket::ConnectedState)
        m_client.waitForConnected(3000);
    if (m_peer) {
        connect(m_peer, &QTcpSocket::readyRead, this, [this] {
            const QByteArray bytes = m_peer->readAll();
            m_raw += bytes;
            m_collector.feed(bytes);
        });
    }
    setCurrentSocket(&m_client);
}

LoopbackPeer::~LoopbackPeer()
{
    if (currentSocket() == &m_client)
        setCurrentSocket(nullptr);
}

bool LoopbackPeer::waitForFrames(int count, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (m_collector.frames.size() < count && t.elapsed() < timeoutMs)
        QTest::qWait(10);
    return m_collector.frames.size() >= count;
}

bool LoopbackPeer::staysQuiet(int ms)
{
    const int before = m_collector.frames.size();
    QTest::qWait(ms);
    return m_collector.frames.size() == before;
}

void LoopbackPeer::clear()
{
    m_collector.clear();
    m_raw.clear();
}
