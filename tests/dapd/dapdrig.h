#pragma once

// The control server in-process against simulated units on loopback, and
// clients of both of its protocols. Discovery listens on loopback only.

#include "dapd/apiserver.h"
#include "dapd/dapdserver.h"
#include "dapd/lineserver.h"
#include "dapd/rpcsession.h"
#include "dapd/unitagent.h"
#include "dapd/unithub.h"
#include "protocol/transport.h"
#include "tests/devices/devicefixtures.h"
#include "tests/support/testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QWebSocket>

#include <memory>

struct DapdRig
{
    // Units 501, 502, ... with serial numbers SN-1, SN-2, ... on 127.0.0.1,
    // 127.0.0.2, ...; the server's ports are free ones.
    bool start(int units, const DapdConfig &config = {}, const QString &password = {},
               bool discovery = true, const QList<QHostAddress> &byAddress = {})
    {
        announcePort = freeUdpPort();
        if (!rack.start(units, announcePort, 100, password))
            return false;
        DapdOptions options;
        options.listenPort = 0;
        options.linePort = 0;
        UnitHub::Settings hub;
        hub.scope = DiscoveryScope::loopback(announcePort, freeUdpPort(), rack.port);
        hub.discovery = discovery;
        hub.addresses = byAddress;
        hub.answerMs = 2000;
        hub.retryMs = 300;
        server = std::make_unique<DapdServer>(options, config, hub);
        QString error;
        if (!server->start(error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        return true;
    }

    // Waits until the server holds `count` units online.
    bool waitOnline(int count, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            int online = 0;
            for (UnitAgent *a : server->hub().agents())
                online += a->isOnline() ? 1 : 0;
            if (online >= count)
                return true;
            QTest::qWait(20);
        }
        return false;
    }

    void stop()
    {
        server.reset();
        rack.units.clear();
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(server->api()->port()));
    }

    SimRack rack;
    quint16 announcePort = 0;
    std::unique_ptr<DapdServer> server;
};

// Applies a write to a unit as its own panel would.
inline void writeTo(SimUnit &unit, quint8 op, quint8 module, quint8 cmd, const QByteArray &payload)
{
    unit.model().handle(frameOf(op, module, cmd, Proto::FlagWrite, payload));
}

// A WebSocket client that keeps every message it receives.
class WsClient final
{
public:
    bool open(const QUrl &url, const QByteArray &token = {})
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &m) {
            messages.append(QJsonDocument::fromJson(m.toUtf8()));
        });
        QNetworkRequest request(url);
        if (!token.isEmpty())
            request.setRawHeader("Authorization", "Bearer " + token);
        QSignalSpy connected(&socket, &QWebSocket::connected);
        socket.open(request);
        return connected.wait(5000);
    }

    void sendText(const QByteArray &text) { socket.sendTextMessage(QString::fromUtf8(text)); }

    // Sends a request and waits for the response with its id.
    QJsonObject call(const QString &method, const QJsonObject &params = {}, int ms = 10000)
    {
        const int id = ++m_lastId;
        QJsonObject request{{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
                            {QStringLiteral("id"), id},
                            {QStringLiteral("method"), method}};
        if (!params.isEmpty())
            request.insert(QStringLiteral("params"), params);
        sendText(QJsonDocument(request).toJson(QJsonDocument::Compact));
        return waitFor(
            [id](const QJsonObject &o) { return o.value(QStringLiteral("id")) == QJsonValue(id); },
            ms);
    }

    // The first message (not yet taken) that `match` accepts, waiting up to `ms`.
    template <typename Match> QJsonObject waitFor(Match match, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            for (int i = 0; i < messages.size(); ++i) {
                if (messages[i].isObject() && match(messages[i].object())) {
                    const QJsonObject o = messages[i].object();
                    messages.removeAt(i);
                    return o;
                }
            }
            if (t.elapsed() > ms)
                return {};
            QTest::qWait(5);
        }
    }

    // The next notification of `method`.
    QJsonObject notification(const QString &method, int ms = 10000)
    {
        return waitFor(
            [method](const QJsonObject &o) {
                return o.value(QStringLiteral("method")) == QJsonValue(method);
            },
            ms);
    }

    QWebSocket socket;
    QVector<QJsonDocument> messages;

private:
    int m_lastId = 0;
};

// A line protocol client.
class LineClient final
{
public:
    bool open(quint16 port)
    {
        QSignalSpy connected(&socket, &QTcpSocket::connected);
        socket.connectToHost(QHostAddress::LocalHost, port);
        return connected.wait(5000);
    }
    void send(const QByteArray &line) { socket.write(line + '\n'); }
    // Lines up to and including the one that ends a command ("ok" or "error: ...").
    QStringList answer(int ms = 10000)
    {
        QStringList lines;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (socket.canReadLine()) {
                const QString line = QString::fromUtf8(socket.readLine()).trimmed();
                if (line.startsWith(QLatin1String("changed ")) ||
                    line.startsWith(QLatin1String("online ")) ||
                    line.startsWith(QLatin1String("offline "))) {
                    pushed << line;
                    continue;
                }
                lines << line;
                if (line == QLatin1String("ok") || line.startsWith(QLatin1String("error: ")))
                    return lines;
            }
            QTest::qWait(5);
        }
        return lines;
    }
    // Waits for a pushed line (changed/online/offline) starting with `prefix`.
    QString pushedLine(const QString &prefix, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            for (int i = 0; i < pushed.size(); ++i)
                if (pushed[i].startsWith(prefix))
                    return pushed.takeAt(i);
            while (socket.canReadLine()) {
                const QString line = QString::fromUtf8(socket.readLine()).trimmed();
                pushed << line;
            }
            QTest::qWait(5);
        }
        return QString();
    }

    QTcpSocket socket;
    QStringList pushed;
};
