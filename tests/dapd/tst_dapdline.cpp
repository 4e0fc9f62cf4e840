// The line protocol: words, get, set, subscribe, and one error line per bad
// command on a connection that stays.

#include "tests/dapd/dapdrig.h"

#include "dapd/linesession.h"

class TestDapdLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        m_dir = std::make_unique<ScratchDir>();
        QVERIFY(m_rig.start(2));
        QVERIFY(m_rig.waitOnline(2));
    }
    void cleanupTestCase() { m_rig.stop(); }

    void wordsAreSplitWithQuotes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("complete");
        QTest::newRow("blanks") << "get  501\toutput.1.gain "
                                << QStringList{"get", "501", "output.1.gain"} << true;
        QTest::newRow("quoted") << "set 501 system.location \"Main hall\""
                                << QStringList{"set", "501", "system.location", "Main hall"}
                                << true;
        QTest::newRow("escapes") << "x \"a \\\"b\\\" \\\\c\"" << QStringList{"x", "a \"b\" \\c"}
                                 << true;
        QTest::newRow("empty quotes") << "x \"\"" << QStringList{"x", ""} << true;
        QTest::newRow("unclosed") << "x \"abc" << QStringList{"x"} << false;
    }
    void wordsAreSplitWithQuotes()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        QFETCH(bool, complete);
        QStringList got;
        QCOMPARE(LineSession::split(line, got), complete);
        if (complete) {
            QCOMPARE(got, words);
            // What quoted() writes splits back to the same words.
            QStringList again;
            QStringList written;
            for (const QString &w : got)
                written << LineSession::quoted(w);
            QVERIFY(LineSession::split(written.join(QLatin1Char(' ')), again));
            QCOMPARE(again, got);
        }
    }

    void getSetAndSubscribe()
    {
        LineClient a, b;
        QVERIFY(a.open(m_rig.server->line()->port()));
        QVERIFY(b.open(m_rig.server->line()->port()));
        a.send("get 501 output.2.gain output.2.mute");
        QCOMPARE(a.answer(), (QStringList{"output.2.gain = 0.0 dB", "output.2.mute = off", "ok"}));
        a.send("subscribe SN-1 output.2.*");
        QStringList lines = a.answer();
        QCOMPARE(lines.last(), QStringLiteral("ok"));
        QVERIFY(lines.contains(QStringLiteral("output.2.mute = off")));

        b.send("set 127.0.0.1 output.2.gain -6.5 output.2.mute on");
        QCOMPARE(b.answer(), (QStringList{"output.2.gain = -6.5 dB", "output.2.mute = on", "ok"}));
        QCOMPARE(a.pushedLine(QStringLiteral("changed 501 output.2.gain")),
                 QStringLiteral("changed 501 output.2.gain = -6.5 dB"));
        QCOMPARE(a.pushedLine(QStringLiteral("changed 501 output.2.mute")),
                 QStringLiteral("changed 501 output.2.mute = on"));

        b.send("set 501 output.2.gain 99");
        lines = b.answer();
        QVERIFY(lines.first().startsWith(QLatin1String("note: output.2.gain")));
        QCOMPARE(lines.mid(1), (QStringList{"output.2.gain = 12.0 dB", "ok"}));
        b.send("set 501 system.location \"Main hall\"");
        QCOMPARE(b.answer(), (QStringList{"system.location = Main hall", "ok"}));

        a.send("unsubscribe 501");
        QCOMPARE(a.answer(), QStringList{"ok"});
        a.send("units");
        lines = a.answer();
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith(QLatin1String("501 127.0.0.1 online")));
    }

    void eachBadCommandGetsOneErrorLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown command") << QByteArray("reboot 501") << "unknown command";
        QTest::newRow("unknown unit") << QByteArray("get 999 output.1.gain") << "no unit";
        QTest::newRow("unknown path") << QByteArray("get 501 output.1.volume") << "output.1.volume";
        QTest::newRow("no path") << QByteArray("get 501") << "takes a unit and paths";
        QTest::newRow("value missing") << QByteArray("set 501 output.1.gain") << "pairs";
        QTest::newRow("bad value") << QByteArray("set 501 output.1.mute maybe") << "output.1.mute";
        QTest::newRow("meter is read-only") << QByteArray("set 501 meter.input.1 0") << "read-only";
        QTest::newRow("unclosed quote") << QByteArray("set 501 system.location \"Hall") << "quote";
        QTest::newRow("overlong line")
            << QByteArray(LineSession::MaxLineBytes + 10, 'x') << "at most";
    }
    void eachBadCommandGetsOneErrorLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, error);
        LineClient c;
        QVERIFY(c.open(m_rig.server->line()->port()));
        c.send(line);
        const QStringList lines = c.answer();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(QLatin1String("error: ")) && lines[0].contains(error),
                 qPrintable(lines[0]));
        c.send("get 502 output.1.mute");
        QCOMPARE(c.answer(), (QStringList{"output.1.mute = off", "ok"}));
    }

private:
    std::unique_ptr<ScratchDir> m_dir;
    DapdRig m_rig;
};

QTEST_MAIN(TestDapdLine)
#include "tst_dapdline.moc"
