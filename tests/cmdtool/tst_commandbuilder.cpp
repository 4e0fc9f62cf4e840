// Bytes of the commands printed for external controllers, compared as the text
// the operator copies.

#include "protocol/commandbuilder.h"
#include "protocol/frame.h"

#include <QTest>

class TestCommandBuilder : public QObject
{
    Q_OBJECT

private slots:
    void commandText_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("expected");

        using namespace CommandBuilder;
        QTest::newRow("login, empty password")
            << login(QString()).value_or(QByteArray())
            << QStringLiteral("82 7D 01 00 02 01 01 01 00 00 7D 82");
        QTest::newRow("login, ASCII with a control character written as two digits")
            << login(QStringLiteral("ab\t")).value_or(QByteArray())
            << QStringLiteral("82 7D 01 00 02 01 01 01 03 00 61 62 09 7D 82");
        QTest::newRow("login, Latin-1 above 127 written as its byte")
            << login(QString::fromUtf8("\xC3\xA9t\xC3\xBF")).value_or(QByteArray())
            << QStringLiteral("82 7D 01 00 02 01 01 01 03 00 E9 74 FF 7D 82");

        QTest::newRow("pre-mix mute, input 3")
            << preMixMute(2, true) << QStringLiteral("82 7D 01 00 03 07 01 01 02 00 02 01 7D 82");
        QTest::newRow("pre-mix unmute, input 16")
            << preMixMute(15, false) << QStringLiteral("82 7D 01 00 03 07 01 01 02 00 0F 00 7D 82");
        QTest::newRow("pre-mix invert, input 5")
            << preMixInvert(4, true) << QStringLiteral("82 7D 01 00 03 07 03 01 02 00 04 01 7D 82");
        QTest::newRow("pre-mix gain 0.0 dB, input 1")
            << preMixGain(0, 0.0)
            << QStringLiteral("82 7D 01 00 03 07 02 01 05 00 00 00 00 00 00 7D 82");
        QTest::newRow("pre-mix gain -56.0 dB is off")
            << preMixGain(0, -56.0)
            << QStringLiteral("82 7D 01 00 03 07 02 01 05 00 00 00 00 C8 C2 7D 82");
        QTest::newRow("pre-mix gain below -56.0 dB is off")
            << preMixGain(1, -70.0)
            << QStringLiteral("82 7D 01 00 03 07 02 01 05 00 01 00 00 C8 C2 7D 82");
        QTest::newRow("pre-mix gain -55.9 dB is kept")
            << preMixGain(0, -55.9)
            << QStringLiteral("82 7D 01 00 03 07 02 01 05 00 00 9A 99 5F C2 7D 82");
        QTest::newRow("pre-mix gain 12.0 dB")
            << preMixGain(0, 12.0)
            << QStringLiteral("82 7D 01 00 03 07 02 01 05 00 00 00 00 40 41 7D 82");
        QTest::newRow("pre-mix gain step -56.0 dB is a step, not off")
            << preMixGainDelta(15, -56.0)
            << QStringLiteral("82 7D 01 00 03 07 05 01 05 00 0F 00 00 60 C2 7D 82");
        QTest::newRow("pre-mix gain step +0.5 dB")
            << preMixGainDelta(3, 0.5)
            << QStringLiteral("82 7D 01 00 03 07 05 01 05 00 03 00 00 00 3F 7D 82");

        QTest::newRow("output mute, output 16")
            << outLevelMute(15, true)
            << QStringLiteral("82 7D 01 00 03 0B 02 01 02 00 0F 01 7D 82");
        QTest::newRow("output invert off, output 1")
            << outLevelInvert(0, false)
            << QStringLiteral("82 7D 01 00 03 0B 04 01 02 00 00 00 7D 82");
        QTest::newRow("output gain 6.5 dB, output 2")
            << outLevelGain(1, 6.5)
            << QStringLiteral("82 7D 01 00 03 0B 03 01 05 00 01 00 00 D0 40 7D 82");
        QTest::newRow("output gain -56.0 dB is off")
            << outLevelGain(2, -56.0)
            << QStringLiteral("82 7D 01 00 03 0B 03 01 05 00 02 00 00 C8 C2 7D 82");
        QTest::newRow("output gain step -1.0 dB")
            << outLevelGainDelta(0, -1.0)
            << QStringLiteral("82 7D 01 00 03 0B 06 01 05 00 00 00 00 80 BF 7D 82");

        QTest::newRow("preset 1") << presetRecall(0)
                                  << QStringLiteral("82 7D 01 00 03 20 03 01 01 00 00 7D 82");
        QTest::newRow("preset 32")
            << presetRecall(31) << QStringLiteral("82 7D 01 00 03 20 03 01 01 00 1F 7D 82");
        QTest::newRow("all mute on")
            << allMute(true) << QStringLiteral("82 7D 01 00 02 02 10 01 01 00 01 7D 82");
        QTest::newRow("all mute off")
            << allMute(false) << QStringLiteral("82 7D 01 00 02 02 10 01 01 00 00 7D 82");
    }

    void commandText()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, expected);
        QCOMPARE(Proto::hexText(frame), expected);
    }

    void refusedPasswords_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("Chinese character") << QString::fromUtf8("ab\xE4\xB8\xAD");
        QTest::newRow("euro sign (not Latin-1)") << QString::fromUtf8("\xE2\x82\xAC"
                                                                      "5");
        QTest::newRow("character outside the basic plane") << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("longer than one frame holds")
            << QString(Proto::MaxPayload + 1, QLatin1Char('a'));
    }

    void refusedPasswords()
    {
        QFETCH(QString, password);
        QVERIFY(!CommandBuilder::login(password).has_value());
    }

    void longestPasswordFitsOneFrame()
    {
        const std::optional<QByteArray> frame =
            CommandBuilder::login(QString(Proto::MaxPayload, QLatin1Char('a')));
        QVERIFY(frame.has_value());
        QCOMPARE(frame->size(), Proto::MaxPayload + Proto::Overhead);
        QCOMPARE(frame->mid(8, 2), QByteArray("\xF4\x07", 2));
        QCOMPARE(frame->right(2), QByteArray("\x7D\x82", 2));
    }
};

QTEST_MAIN(TestCommandBuilder)
#include "tst_commandbuilder.moc"
