// Who may use the control server: the token at the WebSocket upgrade and on
// the line protocol's first line, files that only their owner may read,
// unit passwords that never show, and TLS.

#include "tests/dapd/dapdrig.h"

#include "dapd/privatefile.h"

#include <QFile>
#include <QProcess>
#include <QSslSocket>

namespace {

const QByteArray Token = "0123456789abcdef-token";
QStringList g_log;

void collect(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_log << message;
}

bool writePrivate(const QString &path, const QByteArray &contents,
                  QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(contents) != contents.size())
        return false;
    f.close();
    return f.setPermissions(permissions);
}

} // namespace

class TestDapdSecurity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        m_dir = std::make_unique<ScratchDir>();
        qInstallMessageHandler(collect);
    }
    void cleanup() { m_rig.stop(); }
    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        // Neither a password nor the token ever reached the log.
        for (const QString &line : qAsConst(g_log)) {
            QVERIFY2(!line.contains(QLatin1String(Token)), qPrintable(line));
            QVERIFY2(!line.contains(QLatin1String("s3cret")), qPrintable(line));
        }
    }

    void privateFilesAreCheckedBeforeTheyAreRead_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("error");
        const QByteArray good = R"({"units":{"501":{"password":"s3cret"}},"token_file":"token"})";
        QTest::newRow("owner only") << good << 0600 << "";
        QTest::newRow("read-only for the owner") << good << 0400 << "";
        QTest::newRow("readable by the group") << good << 0640 << "mode 0600";
        QTest::newRow("readable by all") << good << 0644 << "mode 0600";
        QTest::newRow("not JSON") << QByteArray("units: 501") << 0600 << "not a JSON object";
        QTest::newRow("unknown key")
            << QByteArray(R"({"password":"s3cret"})") << 0600 << "unknown key";
        QTest::newRow("password not a text")
            << QByteArray(R"({"units":{"501":{"password":5}}})") << 0600 << "needs a \"password\"";
        QTest::newRow("too large")
            << QByteArray(DapdConfig::MaxFileBytes + 1, ' ') << 0600 << "larger than";
    }
    void privateFilesAreCheckedBeforeTheyAreRead()
    {
        QFETCH(QByteArray, config);
        QFETCH(int, mode);
        QFETCH(QString, error);
        QVERIFY(writePrivate(m_dir->filePath(QStringLiteral("token")), Token + "\n"));
        const QString path = m_dir->filePath(QStringLiteral("dapd.json"));
        QFile::remove(path);
        QFile::Permissions permissions;
        const QFile::Permission bits[] = {QFile::ReadOwner, QFile::WriteOwner, QFile::ReadGroup,
                                          QFile::ReadOther};
        const int masks[] = {0400, 0200, 0040, 0004};
        for (int i = 0; i < 4; ++i)
            if (mode & masks[i])
                permissions |= bits[i];
        QVERIFY(writePrivate(path, config, permissions));
        DapdConfig c;
        QString why;
        QCOMPARE(c.readFile(path, why), error.isEmpty());
        QVERIFY2(why.contains(error), qPrintable(why));
        QVERIFY(!why.contains(QLatin1String("s3cret")));
        if (error.isEmpty()) {
            QCOMPARE(c.token, Token);
            QCOMPARE(c.passwordFor(501, {}, {}), std::optional<QString>(QStringLiteral("s3cret")));
            QCOMPARE(c.passwordFor(502, {}, {}), std::nullopt);
        }
    }

    void aWeakOrSharedTokenFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<int>("mode");
        QTest::newRow("too short") << QByteArray("short") << 0600;
        QTest::newRow("two words") << QByteArray("0123456789 abcdefghij") << 0600;
        QTest::newRow("readable by all") << Token << 0644;
    }
    void aWeakOrSharedTokenFileIsRefused()
    {
        QFETCH(QByteArray, token);
        QFETCH(int, mode);
        const QString path = m_dir->filePath(QStringLiteral("weak"));
        QFile::remove(path);
        QVERIFY(writePrivate(path, token,
                             mode == 0600 ? QFile::ReadOwner | QFile::WriteOwner
                                          : QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadOther | QFile::ReadGroup));
        DapdConfig c;
        c.tokenFile = path;
        QString why;
        QVERIFY(!c.readToken(why));
        QVERIFY(c.token.isEmpty());
        QVERIFY(!why.contains(QLatin1String(token)));
    }

    void listeningBeyondLoopbackNeedsAToken()
    {
        DapdOptions options;
        QString error;
        QCOMPARE(options.parse({"--listen", "0.0.0.0:0"}, error), DapdOptions::Parsed::Run);
        DapdServer server(options, DapdConfig(), UnitHub::Settings());
        QVERIFY(!server.start(error));
        QVERIFY(error.contains(QLatin1String("token")));
        QVERIFY(!server.api() || server.api()->port() == 0);
    }

    void aWrongTokenIsRefusedBeforeAnyUnitIsTouched_data()
    {
        QTest::addColumn<QByteArray>("presented");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("wrong") << QByteArray("0123456789abcdef-wrong") << false;
        QTest::newRow("a prefix") << Token.left(8) << false;
        QTest::newRow("right") << Token << true;
    }
    void aWrongTokenIsRefusedBeforeAnyUnitIsTouched()
    {
        QFETCH(QByteArray, presented);
        QFETCH(bool, accepted);
        DapdConfig config;
        config.token = Token;
        QVERIFY(m_rig.start(1, config));
        QVERIFY(m_rig.waitOnline(1));
        const quint64 requests = m_rig.rack[0].requestCount();
        g_log.clear();

        WsClient ws;
        QCOMPARE(ws.open(m_rig.url(), presented), accepted);
        LineClient line;
        QVERIFY(line.open(m_rig.server->line()->port()));
        if (!presented.isEmpty())
            line.send("auth " + presented);
        line.send("set 501 output.1.mute on");
        QStringList lines = line.answer();
        if (accepted) {
            QCOMPARE(lines, QStringList{"ok"});
            QCOMPARE(line.answer(), (QStringList{"output.1.mute = on", "ok"}));
            QVERIFY(ws.call(QStringLiteral("units.list")).contains(QStringLiteral("result")));
            return;
        }
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].startsWith(QLatin1String("error: ")));
        QTRY_COMPARE(line.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(m_rig.server->api()->refusedCount(), quint64(1));
        // Nothing of either client reached the unit.
        QCOMPARE(m_rig.rack[0].requestCount(), requests);
        const QStringList refusals = g_log.filter(QStringLiteral("refused"));
        QCOMPARE(refusals.size(), 2);
    }

    void unitPasswordsComeFromTheConfiguration_data()
    {
        QTest::addColumn<QString>("byName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("fromEnvironment");
        QTest::addColumn<bool>("online");
        QTest::newRow("by id") << "501"
                               << "s3cret" << false << true;
        QTest::newRow("by serial") << "SN-1"
                                   << "s3cret" << false << true;
        QTest::newRow("for every unit") << ""
                                        << "s3cret" << true << true;
        QTest::newRow("wrong") << "501"
                               << "s3cret-not" << false << false;
        QTest::newRow("none") << ""
                              << "" << false << false;
    }
    void unitPasswordsComeFromTheConfiguration()
    {
        QFETCH(QString, byName);
        QFETCH(QString, password);
        QFETCH(bool, fromEnvironment);
        QFETCH(bool, online);
        DapdConfig config;
        if (!byName.isEmpty())
            config.passwords.insert(byName, password);
        if (fromEnvironment)
            config.defaultPassword = password;
        QVERIFY(m_rig.start(1, config, QStringLiteral("s3cret")));
        QCOMPARE(m_rig.waitOnline(1, online ? 10000 : 1500), online);
        UnitAgent *agent = m_rig.server->hub().agents().value(0);
        QVERIFY(agent);
        if (!online)
            QTRY_COMPARE(agent->describe().value(QStringLiteral("status")).toString(),
                         QStringLiteral("password refused"));
    }

    void theWebSocketApiSpeaksTls()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("no SSL library");
        const QString cert = m_dir->filePath(QStringLiteral("cert.pem"));
        const QString key = m_dir->filePath(QStringLiteral("key.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                       "/CN=127.0.0.1", "-keyout", key, "-out", cert});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            QSKIP("no openssl to make a certificate");
        QFile::setPermissions(key, QFile::ReadOwner | QFile::WriteOwner);
        DapdConfig config;
        config.tlsCertificate = cert;
        config.tlsKey = key;
        QVERIFY(m_rig.start(1, config));
        WsClient c;
        QObject::connect(&c.socket, &QWebSocket::sslErrors, &c.socket,
                         [&c](const QList<QSslError> &) { c.socket.ignoreSslErrors(); });
        QVERIFY(
            c.open(QUrl(QStringLiteral("wss://127.0.0.1:%1").arg(m_rig.server->api()->port()))));
        QVERIFY(c.call(QStringLiteral("units.list")).contains(QStringLiteral("result")));
        // A plain client gets nowhere.
        WsClient plain;
        QVERIFY(!plain.open(m_rig.url()));
    }

private:
    std::unique_ptr<ScratchDir> m_dir;
    DapdRig m_rig;
};

QTEST_MAIN(TestDapdSecurity)
#include "tst_dapdsecurity.moc"
