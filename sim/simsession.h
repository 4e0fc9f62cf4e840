#pragma once

#include "protocol/streamsplitter.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

class QTimer;
class SimModel;
struct SimFaults;

// One TCP connection to the simulated unit: cuts the client's frames, asks for
// and checks the login, answers through the model, and applies the faults that
// tests switch on (answers split into small pieces, junk before answers).
class SimSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SimSession)

public:
    SimSession(QTcpSocket *socket, SimModel *model, const SimFaults *faults, QObject *parent);

    bool isLoggedIn() const { return m_loggedIn; }
    void abort();
    // Sends an unsolicited answer frame (a login request, for example).
    void sendAnswer(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload);

signals:
    void requestReceived(const Proto::Frame &frame);
    void closed();

private:
    void onFrame(const Proto::Frame &frame);
    void write(QByteArray bytes);
    void writePiece();

    QPointer<QTcpSocket> m_socket;
    SimModel *m_model;
    const SimFaults *m_faults;
    StreamSplitter m_splitter;
    QByteArray m_pending; // bytes held back while answers are split
    QTimer *m_pieceTimer;
    bool m_loggedIn = false;
};
