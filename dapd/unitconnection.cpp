#include "dapd/unitconnection.h"

#include "dapd/dapdlog.h"
#include "devices/discoveryscope.h"
#include "devices/loginsession.h"
#include "protocol/commands.h"
#include "protocol/transport.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

UnitConnection::UnitConnection(QObject *parent)
    : QObject(parent), m_socket(new QTcpSocket(this)), m_login(new LoginSession(this)),
      m_splitter([this](const Proto::Frame &f) { onFrame(f); }), m_retryTimer(new QTimer(this)),
      m_attemptTimer(new QTimer(this)), m_loginTimer(new QTimer(this)),
      m_answerTimer(new QTimer(this))
{
    m_socket->setProxy(QNetworkProxy::NoProxy);
    for (QTimer *t : {m_retryTimer, m_attemptTimer, m_loginTimer, m_answerTimer})
        t->setSingleShot(true);
    connect(m_retryTimer, &QTimer::timeout, this, &UnitConnection::attempt);
    connect(m_attemptTimer, &QTimer::timeout, this, [this] {
        // The attempt ran out without a connection (or a login).
        if (m_status == Status::Connecting || m_status == Status::LoggingIn)
            m_socket->abort();
    });
    connect(m_loginTimer, &QTimer::timeout, this, [this] {
        // A unit that needs no password may not say so.
        if (m_status == Status::LoggingIn)
            becomeReady();
    });
    connect(m_answerTimer, &QTimer::timeout, this, [this] {
        if (!m_batches.empty())
            finishBatch();
    });
    connect(m_socket, &QIODevice::readyRead, this,
            [this] { m_splitter.feed(m_socket->readAll()); });
    connect(m_socket, &QAbstractSocket::connected, this, &UnitConnection::onConnected);
    connect(m_socket, &QAbstractSocket::stateChanged, this,
            [this](QAbstractSocket::SocketState state) {
                if (state == QAbstractSocket::UnconnectedState)
                    onDisconnected();
            });
    connect(m_login, &LoginSession::loggedIn, this, [this] {
        if (m_status == Status::LoggingIn)
            becomeReady();
    });
    connect(m_login, &LoginSession::passwordRequired, this, [this](bool wrong) {
        // Said once, not at every attempt of a unit that keeps refusing.
        if (!m_refusalLogged)
            qCWarning(lcDapd).noquote()
                << QStringLiteral("unit %1: %2")
                       .arg(m_address.toString(),
                            wrong ? QStringLiteral("the password was refused")
                                  : QStringLiteral("asks for a password and none is configured"));
        m_refusalLogged = true;
        setStatus(Status::PasswordRefused);
        m_socket->abort();
    });
}

UnitConnection::~UnitConnection()
{
    m_running = false;
    m_socket->abort();
}

void UnitConnection::setTarget(const QHostAddress &address, quint16 port)
{
    const bool moved = address != m_address || port != m_port;
    m_address = address;
    m_port = port;
    // A unit that moved is reached at its new address on the next attempt.
    if (moved && m_running && m_status != Status::Ready)
        drop();
}

void UnitConnection::setTimeouts(int answerMs, int retryMs)
{
    m_answerMs = qMax(1, answerMs);
    m_retryMs = qMax(1, retryMs);
}

void UnitConnection::start()
{
    if (m_running)
        return;
    m_running = true;
    attempt();
}

void UnitConnection::stop()
{
    m_running = false;
    m_retryTimer->stop();
    m_socket->abort();
    setStatus(Status::Stopped);
}

void UnitConnection::drop()
{
    m_socket->abort();
}

QString UnitConnection::statusText() const
{
    switch (m_status) {
    case Status::Stopped:
        return QStringLiteral("stopped");
    case Status::Connecting:
        return QStringLiteral("connecting");
    case Status::LoggingIn:
        return QStringLiteral("logging in");
    case Status::Ready:
        return QStringLiteral("online");
    case Status::PasswordRefused:
        return QStringLiteral("password refused");
    }
    return QString();
}

void UnitConnection::setStatus(Status status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged();
}

void UnitConnection::attempt()
{
    if (!m_running || m_address.isNull())
        return;
    m_lastAttempt.start();
    m_socket->abort();
    m_splitter.clear();
    if (m_status != Status::PasswordRefused)
        setStatus(Status::Connecting);
    const QHostAddress local = chooseLocalAddress(m_address, localIPv4Entries());
    if (!local.isNull())
        m_socket->bind(local);
    m_attemptTimer->start(m_retryMs);
    m_socket->connectToHost(m_address, m_port);
    // The abort above may have scheduled an attempt: this is it.
    m_retryTimer->stop();
}

void UnitConnection::scheduleAttempt()
{
    if (!m_running || m_retryTimer->isActive())
        return;
    const qint64 since = m_lastAttempt.isValid() ? m_lastAttempt.elapsed() : m_retryMs;
    m_retryTimer->start(int(qBound<qint64>(0, m_retryMs - since, m_retryMs)));
}

void UnitConnection::onConnected()
{
    // Reads go as soon as they are asked for, not when Nagle's algorithm
    // lets them.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    setStatus(Status::LoggingIn);
    m_login->setUnit(m_machineid);
    m_login->connectionStarted();
    if (m_password)
        m_login->storePassword(m_machineid, *m_password);
    m_loginTimer->start(qMin(LoginGraceMs, m_retryMs));
}

void UnitConnection::becomeReady()
{
    m_attemptTimer->stop();
    m_loginTimer->stop();
    setStatus(Status::Ready);
    m_refusalLogged = false;
    qCInfo(lcDapd).noquote() << QStringLiteral("unit %1: online").arg(m_address.toString());
    emit ready();
    if (!m_batches.empty() && isReady())
        sendMore();
}

void UnitConnection::onDisconnected()
{
    m_attemptTimer->stop();
    m_loginTimer->stop();
    const bool wasReady = m_status == Status::Ready;
    if (m_status != Status::PasswordRefused && m_status != Status::Stopped)
        setStatus(m_running ? Status::Connecting : Status::Stopped);
    failAll();
    if (wasReady) {
        qCInfo(lcDapd).noquote() << QStringLiteral("unit %1: offline").arg(m_address.toString());
        emit lost();
    }
    scheduleAttempt();
}

void UnitConnection::onFrame(const Proto::Frame &f)
{
    ++m_received;
    if (f.op == Proto::OpSystem && f.module == Proto::SysModule::Login) {
        // The login logic answers a request for the password through the
        // transmit path: this socket is current for that moment only.
        QTcpSocket *previous = currentSocket();
        ::setCurrentSocket(m_socket);
        m_login->handleAnswer(f);
        ::setCurrentSocket(previous);
        return;
    }
    if (!m_batches.empty()) {
        const int i = m_queue.take(f);
        if (i >= 0) {
            Batch &b = m_batches.front();
            b.answers[i] = f;
            ++b.answered;
            if (b.answered == b.reads.size()) {
                finishBatch();
            } else {
                m_answerTimer->start(m_answerMs); // an answer: the unit is working on it
                sendMore();
            }
            return;
        }
    }
    emit unsolicited(f);
}

void UnitConnection::read(const QVector<Proto::Frame> &reads, const ReadDone &done)
{
    if (!isReady() || reads.isEmpty()) {
        const int n = reads.size();
        QMetaObject::invokeMethod(
            this, [done, n] { done(Answers(n)); }, Qt::QueuedConnection);
        return;
    }
    Batch b;
    b.reads = reads;
    b.answers.resize(reads.size());
    b.done = done;
    m_batches.push_back(std::move(b));
    if (m_batches.size() == 1)
        sendMore();
}

void UnitConnection::sendMore()
{
    if (m_batches.empty() || !isReady())
        return;
    Batch &b = m_batches.front();
    if (b.sent == 0)
        m_answerTimer->start(m_answerMs);
    QByteArray bytes;
    while (b.sent < b.reads.size() && b.sent - b.answered < Window) {
        const Proto::Frame &r = b.reads[b.sent];
        m_queue.sent(ReadQueue::fromFrame(r), b.sent);
        bytes += Proto::makeFrame(codeId(), r.op, r.module, r.cmd, Proto::FlagRead, r.payload);
        ++b.sent;
        ++m_sent;
    }
    if (!bytes.isEmpty())
        m_socket->write(bytes);
}

void UnitConnection::write(const QVector<Proto::Frame> &frames)
{
    if (!isReady())
        return;
    QByteArray bytes;
    for (const Proto::Frame &f : frames) {
        if (f.op == 0)
            continue;
        bytes += Proto::makeFrame(codeId(), f.op, f.module, f.cmd, Proto::FlagWrite, f.payload);
        ++m_sent;
    }
    if (!bytes.isEmpty())
        m_socket->write(bytes);
}

void UnitConnection::finishBatch()
{
    m_answerTimer->stop();
    m_queue.clear();
    Batch b = std::move(m_batches.front());
    m_batches.pop_front();
    if (!m_batches.empty())
        sendMore();
    b.done(b.answers);
}

void UnitConnection::failAll()
{
    m_answerTimer->stop();
    m_queue.clear();
    std::deque<Batch> batches;
    batches.swap(m_batches);
    for (Batch &b : batches)
        b.done(b.answers);
}
