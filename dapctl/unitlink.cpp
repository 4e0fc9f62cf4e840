#include "dapctl/unitlink.h"

#include "devices/discoveryscope.h"
#include "devices/loginsession.h"
#include "protocol/commands.h"
#include "protocol/frametrace.h"
#include "protocol/transport.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include <utility>

namespace {
// How long a unit that needs no password may stay silent before dapctl goes
// on without a login answer.
constexpr int LoginGraceMs = 1000;

quint32 commandKey(const Proto::Frame &f)
{
    return ReadQueue::commandKey(f.op, f.module, f.cmd);
}
} // namespace

// The link's socket, which tells the link every frame written on it: the
// transmit path writes through it, whoever calls sendPacket.
class UnitLink::WatchedSocket final : public QTcpSocket
{
public:
    explicit WatchedSocket(UnitLink *link)
        : QTcpSocket(link), m_sent([link](const Proto::Frame &f) { link->onSent(f); })
    {
    }

    void forget() { m_sent.clear(); }

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        m_sent.feed(QByteArray::fromRawData(data, int(size)));
        return QTcpSocket::writeData(data, size);
    }

private:
    StreamSplitter m_sent;
};

UnitLink::UnitLink(const CtlOptions &options, QObject *parent)
    : QObject(parent), m_options(options), m_socket(new WatchedSocket(this)),
      m_login(new LoginSession(this)), m_splitter([this](const Proto::Frame &f) { onFrame(f); })
{
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QIODevice::readyRead, this,
            [this] { m_splitter.feed(m_socket->readAll()); });
    connect(m_socket, &QAbstractSocket::disconnected, this, [this] {
        m_closed = true;
        emit closed();
        if (m_wake)
            m_wake(nullptr);
    });
    connect(m_socket, &QAbstractSocket::stateChanged, this, [this] {
        if (m_wake)
            m_wake(nullptr);
    });
}

UnitLink::~UnitLink()
{
    close();
}

bool UnitLink::isOpen() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void UnitLink::close()
{
    if (currentSocket() == m_socket)
        ::setCurrentSocket(nullptr);
    if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        m_socket->disconnectFromHost();
        if (m_socket->state() != QAbstractSocket::UnconnectedState)
            m_socket->waitForDisconnected(qMin(1000, m_options.timeoutMs));
    }
}

bool UnitLink::open(const UnitTarget &target)
{
    m_target = target;
    m_closed = false;
    setCodeId(m_options.code);
    const QHostAddress local = chooseLocalAddress(target.address, localIPv4Entries());
    if (!local.isNull())
        m_socket->bind(local);
    static_cast<WatchedSocket *>(m_socket)->forget();
    m_asked.clear();
    m_socket->connectToHost(target.address, target.port);
    if (!wait([this] { return isOpen() || m_socket->state() == QAbstractSocket::UnconnectedState; },
              nullptr) ||
        !isOpen()) {
        m_error = QStringLiteral("cannot connect to %1 port %2: %3")
                      .arg(target.describe())
                      .arg(target.port)
                      .arg(isOpen() || m_socket->error() == QAbstractSocket::UnknownSocketError
                               ? QStringLiteral("no answer")
                               : m_socket->errorString());
        m_socket->abort();
        return false;
    }
    ::setCurrentSocket(m_socket);
    m_splitter.clear();
    return login();
}

bool UnitLink::login()
{
    m_login->setUnit(m_target.machineid);
    m_login->connectionStarted();
    if (m_options.hasPassword)
        m_login->storePassword(m_target.machineid, m_options.password);
    enum
    {
        Waiting,
        Done,
        Refused
    } state = Waiting;
    bool afterWrong = false;
    const auto a = connect(m_login, &LoginSession::loggedIn, this, [&] { state = Done; });
    const auto b = connect(m_login, &LoginSession::passwordRequired, this, [&](bool wrong) {
        state = Refused;
        afterWrong = wrong;
    });
    // A unit that needs no password may not say so; go on after a short wait.
    QEventLoop loop;
    m_wake = [&](const Proto::Frame *) {
        if (state != Waiting || m_closed)
            loop.quit();
    };
    QTimer::singleShot(qMin(LoginGraceMs, m_options.timeoutMs), &loop, &QEventLoop::quit);
    if (state == Waiting)
        loop.exec();
    m_wake = nullptr;
    disconnect(a);
    disconnect(b);
    if (m_closed) {
        m_error = QStringLiteral("%1 closed the connection").arg(m_target.describe());
        return false;
    }
    if (state == Refused) {
        m_error = afterWrong ? QStringLiteral("%1 refused the password").arg(m_target.describe())
                             : QStringLiteral("%1 asks for a password: give it with --password "
                                              "or in DAPCTL_PASSWORD")
                                   .arg(m_target.describe());
        close();
        return false;
    }
    return true;
}

void UnitLink::onFrame(const Proto::Frame &f)
{
    FrameTrace::received(f);
    if (f.op == Proto::OpSystem && f.module == Proto::SysModule::Login) {
        m_login->handleAnswer(f);
    } else if (m_pending) {
        const int i = m_pending->queue.take(f);
        if (i >= 0) {
            m_pending->answers[i] = f;
            ++m_pending->answered;
        }
    }
    emit frameReceived(f);
    if (m_wake)
        m_wake(&f);
}

void UnitLink::onSent(const Proto::Frame &f)
{
    if (f.flag == Proto::FlagRead || f.flag == Proto::FlagWrite)
        m_asked.insert(commandKey(f));
}

bool UnitLink::waitUntil(const std::function<bool()> &done)
{
    // The commands asked include those sent while waiting: a transfer asks
    // for each piece after the answer to the one before.
    return wait(done, [this](const Proto::Frame &f) {
        return (f.flag == Proto::FlagAnswer || f.flag == Proto::FlagRefused) &&
               m_asked.contains(commandKey(f));
    });
}

bool UnitLink::wait(const std::function<bool()> &done, const Progress &progress)
{
    if (done()) {
        m_asked.clear();
        return true;
    }
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.setInterval(m_options.timeoutMs);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto previous = m_wake;
    m_wake = [&](const Proto::Frame *frame) {
        if (done() || m_closed)
            loop.quit();
        else if (frame && progress && progress(*frame))
            timeout.start(); // an answer: the unit is working on it
    };
    timeout.start();
    loop.exec();
    m_wake = previous;
    m_asked.clear();
    return done();
}

bool UnitLink::runUntilQuit()
{
    QEventLoop loop;
    const auto c = connect(this, &UnitLink::closed, &loop, &QEventLoop::quit);
    const auto q = connect(this, &UnitLink::destroyed, &loop, &QEventLoop::quit);
    m_quitLoop = &loop;
    loop.exec();
    m_quitLoop = nullptr;
    disconnect(c);
    disconnect(q);
    return !m_closed;
}

void UnitLink::quit()
{
    if (m_quitLoop)
        m_quitLoop->quit();
}

QVector<std::optional<Proto::Frame>> UnitLink::readAll(const QVector<Request> &requests, int window)
{
    if (!isOpen()) {
        m_error = QStringLiteral("%1 closed the connection").arg(m_target.describe());
        return QVector<std::optional<Proto::Frame>>(requests.size());
    }
    Pending pending;
    pending.requests = &requests;
    pending.answers.resize(requests.size());
    auto *previous = m_pending;
    m_pending = &pending;
    window = qMax(1, window);
    // Sends reads until `window` wait for an answer.
    const auto sendMore = [&] {
        while (pending.sent < requests.size() && pending.sent - pending.answered < window) {
            const Request &r = requests[pending.sent];
            pending.queue.sent(r, pending.sent);
            ++pending.sent;
            sendPacket(r.op, r.module, r.cmd, Proto::FlagRead, r.selector);
        }
    };
    sendMore();
    // Only these reads' own answers extend the wait.
    int seen = 0;
    wait([&] { return pending.answered == requests.size(); },
         [&](const Proto::Frame &) {
             if (pending.answered == seen)
                 return false;
             seen = pending.answered;
             sendMore();
             return true;
         });
    m_pending = previous;
    if (m_closed)
        m_error = QStringLiteral("%1 closed the connection").arg(m_target.describe());
    else if (pending.answered < requests.size())
        m_error = QStringLiteral("%1 did not answer within %2 s")
                      .arg(m_target.describe())
                      .arg(m_options.timeoutMs / 1000.0);
    return pending.answers;
}

QVector<std::optional<Proto::Frame>> UnitLink::readFrames(const QVector<Proto::Frame> &reads,
                                                          int window)
{
    QVector<Request> requests;
    requests.reserve(reads.size());
    for (const Proto::Frame &f : reads)
        requests.append(ReadQueue::fromFrame(f));
    return readAll(requests, window);
}

std::optional<Proto::Frame> UnitLink::read(const Request &request)
{
    return readAll({request}).constFirst();
}

void UnitLink::write(quint8 op, quint8 module, quint8 cmd, const QByteArray &payload)
{
    sendPacket(op, module, cmd, Proto::FlagWrite, payload);
}

bool UnitLink::sync()
{
    return read({Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::DspVersion, {}})
        .has_value();
}

std::optional<PresetList> readPresetList(UnitLink &link, QString &error)
{
    const auto f = link.readFrames({PresetList::request()}).constFirst();
    if (!f) {
        error = link.errorString();
        return std::nullopt;
    }
    const auto list = PresetList::parse(*f);
    if (!list)
        error = PresetList::describeBadAnswer(*f);
    return list;
}
