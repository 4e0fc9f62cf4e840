#include "sim/simsession.h"

#include "protocol/frame.h"
#include "sim/simmodel.h"
#include "sim/simunit.h"

#include <QRandomGenerator>
#include <QTimer>

SimSession::SimSession(QTcpSocket *socket, SimModel *model, const SimFaults *faults,
                       QObject *parent)
    : QObject(parent), m_socket(socket), m_model(model), m_faults(faults),
      m_splitter([this](const Proto::Frame &f) { onFrame(f); }), m_pieceTimer(new QTimer(this))
{
    socket->setParent(this);
    m_pieceTimer->setInterval(1);
    connect(m_pieceTimer, &QTimer::timeout, this, &SimSession::writePiece);
    connect(socket, &QTcpSocket::readyRead, this, [this] { m_splitter.feed(m_socket->readAll()); });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        emit closed();
        deleteLater();
    });

    // Without a password the unit logs the client in at once; with one it asks.
    m_loggedIn = m_model->system().password.isEmpty();
    sendAnswer(Proto::OpSystem, 1, 1, Proto::FlagAnswer, QByteArray(1, m_loggedIn ? 1 : 0));
}

void SimSession::abort()
{
    if (m_socket)
        m_socket->abort();
}

void SimSession::onFrame(const Proto::Frame &f)
{
    emit requestReceived(f);
    if (f.op == Proto::OpSystem && f.module == 1) {
        if (f.cmd == 1 && f.flag == Proto::FlagWrite) {
            const QString &password = m_model->system().password;
            m_loggedIn = password.isEmpty() || QString::fromLatin1(f.payload) == password;
            sendAnswer(Proto::OpSystem, 1, 1, Proto::FlagAnswer, QByteArray(1, m_loggedIn ? 1 : 0));
        }
        return;
    }
    if (!m_loggedIn)
        return; // a unit that asked for a password ignores everything else
    for (const SimModel::Answer &a : m_model->handle(f))
        sendAnswer(a.op, a.module, a.cmd, a.flag, a.payload);
}

void SimSession::sendAnswer(quint8 op, quint8 module, quint8 cmd, quint8 flag,
                            const QByteArray &payload)
{
    write(Proto::makeFrame(m_model->system().code, op, module, cmd, flag, payload));
}

void SimSession::write(QByteArray bytes)
{
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (m_faults->junkBytes > 0) {
        // Junk never contains the first magic byte, so the client resynchronises
        // at the frame that follows it.
        QByteArray junk(m_faults->junkBytes, Qt::Uninitialized);
        for (char &c : junk) {
            quint8 v = quint8(QRandomGenerator::global()->bounded(256));
            c = char(v == Proto::MagicLo ? 0x00 : v);
        }
        bytes.prepend(junk);
    }
    if (m_faults->splitAnswers || !m_pending.isEmpty()) {
        m_pending.append(bytes);
        if (!m_pieceTimer->isActive())
            m_pieceTimer->start();
        return;
    }
    m_socket->write(bytes);
}

void SimSession::writePiece()
{
    if (!m_socket || m_pending.isEmpty()) {
        m_pieceTimer->stop();
        return;
    }
    const int n = qMin(m_pending.size(), int(QRandomGenerator::global()->bounded(1, 48)));
    m_socket->write(m_pending.constData(), n);
    m_socket->flush();
    m_pending.remove(0, n);
}
