#pragma once

#include "protocol/frame.h"
#include "protocol/streamsplitter.h"
#include "unitlink/readqueue.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QVector>

#include <deque>
#include <functional>
#include <optional>

class LoginSession;
class QTcpSocket;
class QTimer;

// The control server's connection to one unit, without a nested event
// loop: it connects, logs in with the unit's password, and keeps doing so
// with the program's reconnect rules (an attempt lasts the retry interval,
// and attempts are at least one interval apart) for as long as it runs.
//
// Reads go in batches, one batch at a time, pipelined as dapctl pipelines
// them (ReadQueue: at most `Window` outstanding, each answer lets the next
// go). A batch ends when every read is answered, when the connection drops,
// or when the time-out passes without an answer to one of its reads: other
// frames (answers to nothing asked) never extend it.
//
// Frames are written on the connection's own socket, not through the
// program's single current socket, so the server keeps many units at once;
// only the login answer handling borrows the transmit path for the moment
// it may send the password.
class UnitConnection final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UnitConnection)

public:
    enum class Status
    {
        Stopped,
        Connecting,
        LoggingIn,
        Ready,
        PasswordRefused, // the unit refused the password, or asked for one not given
    };
    using Answers = QVector<std::optional<Proto::Frame>>;
    using ReadDone = std::function<void(const Answers &answers)>;

    static constexpr int Window = 64;
    // How long a unit that needs no password may stay silent before the
    // connection goes on without a login answer.
    static constexpr int LoginGraceMs = 1000;

    explicit UnitConnection(QObject *parent = nullptr);
    ~UnitConnection() override;

    void setTarget(const QHostAddress &address, quint16 port);
    QHostAddress address() const { return m_address; }
    quint16 port() const { return m_port; }
    void setMachineId(quint32 machineid) { m_machineid = machineid; }
    // The password to log in with (none: the unit must not ask for one).
    void setPassword(const std::optional<QString> &password) { m_password = password; }
    void setTimeouts(int answerMs, int retryMs);

    // Starts connecting (and reconnecting); stop() drops the connection.
    void start();
    void stop();
    // Drops the connection now; the next attempt follows the retry rule.
    void drop();

    Status status() const { return m_status; }
    bool isReady() const { return m_status == Status::Ready; }
    QString statusText() const;

    // Reads; `done` is called once, from the event loop or at once when the
    // connection is not ready, with an answer (flag 0x80 or 0x82) or
    // nothing for each read.
    void read(const QVector<Proto::Frame> &reads, const ReadDone &done);
    // Writes (flag 1) in one system call; dropped when not ready.
    void write(const QVector<Proto::Frame> &frames);

    quint64 framesSent() const { return m_sent; }
    quint64 framesReceived() const { return m_received; }

signals:
    // Logged in: reads and writes may go.
    void ready();
    // A ready connection ended.
    void lost();
    // A frame that answered no read of a batch (a recall's progress).
    void unsolicited(const Proto::Frame &frame);
    void statusChanged();

private:
    struct Batch
    {
        QVector<Proto::Frame> reads;
        Answers answers;
        ReadDone done;
        int sent = 0;
        int answered = 0;
    };

    void attempt();
    void scheduleAttempt();
    void onConnected();
    void onDisconnected();
    void onFrame(const Proto::Frame &frame);
    void setStatus(Status status);
    void becomeReady();
    void sendMore();
    void finishBatch();
    void failAll();

    QTcpSocket *m_socket;
    LoginSession *m_login;
    StreamSplitter m_splitter;
    QTimer *m_retryTimer;   // the next attempt
    QTimer *m_attemptTimer; // one attempt's time
    QTimer *m_loginTimer;   // the login grace
    QTimer *m_answerTimer;  // a batch's deadline
    QElapsedTimer m_lastAttempt;
    QHostAddress m_address;
    quint16 m_port = 0;
    quint32 m_machineid = 0;
    std::optional<QString> m_password;
    int m_answerMs = 3000;
    int m_retryMs = 5000;
    bool m_running = false;
    bool m_refusalLogged = false;
    Status m_status = Status::Stopped;
    std::deque<Batch> m_batches;
    ReadQueue m_queue;
    quint64 m_sent = 0;
    quint64 m_received = 0;
};
