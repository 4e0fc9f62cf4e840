// The login logic without widgets: the stored password tried once per
// connection, then the question; the answer's flag and length checked.

#include "devices/loginsession.h"
#include "protocol/commands.h"
#include "tests/support/loopbackpeer.h"

#include <QSignalSpy>
#include <QTest>

namespace {

Proto::Frame loginAnswer(const QByteArray &payload, quint8 flag = Proto::FlagAnswer)
{
    Proto::Frame f;
    f.op = Proto::OpSystem;
    f.module = Proto::SysModule::Login;
    f.cmd = Proto::LoginCmd::Login;
    f.flag = flag;
    f.length = quint16(payload.size());
    f.payload = payload;
    return f;
}

} // namespace

class TestLoginSession : public QObject
{
    Q_OBJECT

private slots:
    void storedPasswordIsTriedOncePerConnection()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        LoginSession login;
        QSignalSpy asked(&login, &LoginSession::passwordRequired);
        QSignalSpy in(&login, &LoginSession::loggedIn);
        login.storePassword(7, QStringLiteral("pw"));
        login.setUnit(7);
        login.connectionStarted();

        QVERIFY(login.handleAnswer(loginAnswer(QByteArray(1, 0))));
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().last().payload, QByteArray("pw"));
        QCOMPARE(asked.count(), 0);
        // Refused: asked, nothing more sent on this connection.
        QVERIFY(login.handleAnswer(loginAnswer(QByteArray(1, 0))));
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.last().at(0).toBool(), true);
        QVERIFY(peer.staysQuiet(100));

        // A new connection tries it again; success logs in.
        login.connectionStarted();
        login.handleAnswer(loginAnswer(QByteArray(1, 0)));
        QVERIFY(peer.waitForFrames(2));
        QVERIFY(login.handleAnswer(loginAnswer(QByteArray(1, 1))));
        QCOMPARE(in.count(), 1);
        QVERIFY(login.isLoggedIn());
    }

    void aPasswordThatLoggedInIsKeptForItsUnit()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        LoginSession login;
        QSignalSpy asked(&login, &LoginSession::passwordRequired);
        login.setUnit(3);
        login.connectionStarted();
        login.handleAnswer(loginAnswer(QByteArray(1, 0)));
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.last().at(0).toBool(), false); // nothing was sent yet
        login.sendPassword(QStringLiteral("typed"));
        login.handleAnswer(loginAnswer(QByteArray(1, 1)));
        QVERIFY(login.hasStoredPassword(3));
        QVERIFY(!login.hasStoredPassword(4));

        login.connectionStarted();
        login.handleAnswer(loginAnswer(QByteArray(1, 0)));
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(peer.frames().last().payload, QByteArray("typed"));
        QCOMPARE(asked.count(), 1);
    }

    void otherFramesAreNotLoginAnswers_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("two bytes") << 1 << 0x80 << QByteArray(2, 0);
        QTest::newRow("empty") << 1 << 0x80 << QByteArray();
        QTest::newRow("a request") << 1 << 0x01 << QByteArray(1, 0);
        QTest::newRow("another command") << 2 << 0x80 << QByteArray(1, 0);
    }

    void otherFramesAreNotLoginAnswers()
    {
        QFETCH(int, cmd);
        QFETCH(int, flag);
        QFETCH(QByteArray, payload);
        LoginSession login;
        QSignalSpy asked(&login, &LoginSession::passwordRequired);
        Proto::Frame f = loginAnswer(payload, quint8(flag));
        f.cmd = quint8(cmd);
        QVERIFY(!login.handleAnswer(f));
        QCOMPARE(asked.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLoginSession)
#include "tst_loginsession.moc"
