#pragma once

#include "dapctl/ctloptions.h"
#include "protocol/frame.h"
#include "protocol/streamsplitter.h"
#include "unitlink/presetlist.h"
#include "unitlink/readqueue.h"
#include "unitlink/unittarget.h"

#include <QObject>
#include <QSet>
#include <QVector>

#include <functional>
#include <optional>

class LoginSession;
class QEventLoop;
class QTcpSocket;

// dapctl's connection to one unit: connects, logs in (with the password of
// the command line), and lets a command read and write synchronously. The
// socket becomes the current socket of the transmit path, so everything
// sends through sendPacket/sendCommand as the program does, and the
// protocol trace sees both directions.
//
// Waiting runs the event loop until the answer came, the connection dropped
// or the time-out passed without an answer to what was asked. Other frames
// (meters, reports, answers to nothing asked) never extend a wait, so a unit
// that keeps talking cannot hold dapctl.
class UnitLink final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UnitLink)

public:
    // A read: op, module, cmd, the selector bytes sent with it, and how many
    // of them the answer repeats at its start (a channel, an output, a band).
    using Request = ReadQueue::Request;

    explicit UnitLink(const CtlOptions &options, QObject *parent = nullptr);
    ~UnitLink() override;

    // Connects and logs in. False, with errorString(), when the unit cannot be
    // reached, refuses the password or asks for one that was not given.
    bool open(const UnitTarget &target);
    bool isOpen() const;
    void close();
    QString errorString() const { return m_error; }
    const UnitTarget &target() const { return m_target; }

    // Reads in flight at once: enough to keep a unit on loopback busy, few
    // enough that its receive buffer never holds more than a few kilobytes.
    static constexpr int ReadWindow = 64;

    // Sends the reads and waits for their answers (flag 0x80, or 0x82 for a
    // refusal); an answer that did not come is empty. The reads are
    // pipelined: at most `window` are outstanding, and each answer lets the
    // next read go, so a whole unit costs no round trip per read.
    QVector<std::optional<Proto::Frame>> readAll(const QVector<Request> &requests,
                                                 int window = ReadWindow);
    // The same for reads made as frames (the unit model's); the answer echoes
    // the selector of a read that has one.
    QVector<std::optional<Proto::Frame>> readFrames(const QVector<Proto::Frame> &reads,
                                                    int window = ReadWindow);
    std::optional<Proto::Frame> read(const Request &request);
    // A write (flag 1); the unit does not answer it.
    void write(quint8 op, quint8 module, quint8 cmd, const QByteArray &payload);
    // Waits until the unit has handled everything sent before (a read's
    // round trip on the same connection). False when it did not answer.
    bool sync();

    // Runs the event loop until `done` is true (checked after every frame
    // and event), the connection closes, or the time-out passes without an
    // answer (flag 0x80 or 0x82) to a command sent since the previous wait
    // ended. Returns done().
    bool waitUntil(const std::function<bool()> &done);
    // Runs the event loop until quit() (the trace), or the connection closes.
    // False when it closed.
    bool runUntilQuit();
    void quit();

    int timeoutMs() const { return m_options.timeoutMs; }

signals:
    void frameReceived(const Proto::Frame &frame);
    void closed();

private:
    class WatchedSocket;
    using Progress = std::function<bool(const Proto::Frame &)>;

    void onFrame(const Proto::Frame &frame);
    void onSent(const Proto::Frame &frame);
    bool login();
    // The wait behind waitUntil(): the time-out starts again only when
    // `progress` (if given) takes a received frame as progress.
    bool wait(const std::function<bool()> &done, const Progress &progress);

    CtlOptions m_options;
    UnitTarget m_target;
    QTcpSocket *m_socket;
    LoginSession *m_login;
    StreamSplitter m_splitter;
    QString m_error;
    bool m_closed = false;
    std::function<void(const Proto::Frame *)> m_wake; // the running wait's check
    // The commands (op, module, cmd) sent since the last wait ended.
    QSet<quint32> m_asked;
    QEventLoop *m_quitLoop = nullptr;
    // The reads of the running readAll(), tagged with their index.
    struct Pending
    {
        const QVector<Request> *requests = nullptr;
        QVector<std::optional<Proto::Frame>> answers;
        ReadQueue queue;
        int sent = 0;
        int answered = 0;
    };
    Pending *m_pending = nullptr;
};

// Reads the unit's preset list; nothing (the link's error) when it did not
// answer as it should.
std::optional<PresetList> readPresetList(UnitLink &link, QString &error);
