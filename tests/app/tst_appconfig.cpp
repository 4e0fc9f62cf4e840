// cfg.dat and the language list: what is read, what is written back.

#include "app/appconfig.h"
#include "protocol/transport.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { setCodeId(1); }

    void missingFilesGiveDefaultsAndCreateConfig()
    {
        ScratchDir dir;
        QVERIFY(AppConfig::readHighDpiSetting());
        AppConfig c;
        c.loadLanguageList();
        c.loadConfig();
        QCOMPARE(c.languageCount(), 0);
        QCOMPARE(c.code(), quint16(1));
        QCOMPARE(codeId(), quint16(1));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("cfg.dat"))));
        QCOMPARE(c.windowTitle(), QStringLiteral("Digital Audio Processor"));
    }

    void highDpiSetting_data()
    {
        QTest::addColumn<QByteArray>("cfg");
        QTest::addColumn<bool>("expected");
        QTest::newRow("on") << QByteArray("HighDpiScaling:1\r\n") << true;
        QTest::newRow("off") << QByteArray("code:3\r\nHighDpiScaling:0\r\n") << false;
        QTest::newRow("last wins")
            << QByteArray("HighDpiScaling:0\r\nHighDpiScaling:2\r\n") << true;
        QTest::newRow("malformed is off") << QByteArray("HighDpiScaling:yes\r\n") << false;
        QTest::newRow("absent stays on") << QByteArray("code:3\r\n") << true;
    }

    void highDpiSetting()
    {
        QFETCH(QByteArray, cfg);
        QFETCH(bool, expected);
        ScratchDir dir;
        dir.writeFile(QStringLiteral("cfg.dat"), cfg);
        QCOMPARE(AppConfig::readHighDpiSetting(), expected);
    }

    void codeValue_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("code");
        QTest::newRow("plain") << QByteArray("code:12\r\n") << 12;
        QTest::newRow("semicolon") << QByteArray("code:12;\r\n") << 12;
        QTest::newRow("low 16 bits") << QByteArray("code:65537\r\n") << 1;
        QTest::newRow("malformed") << QByteArray("code:abc\r\n") << 0;
        QTest::newRow("discovery wildcard") << QByteArray("code:5318\r\n") << 5318;
    }

    void codeValue()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, code);
        ScratchDir dir;
        dir.writeFile(QStringLiteral("cfg.dat"), line);
        AppConfig c;
        c.loadConfig();
        QCOMPARE(int(c.code()), code);
        QCOMPARE(int(codeId()), code);
    }

    void languageSelection()
    {
        ScratchDir dir;
        QByteArray list;
        for (int i = 1; i <= 7; ++i)
            list += "font:Font" + QByteArray::number(i) + ";lang:lang" + QByteArray::number(i) +
                    ";\r\n";
        dir.writeFile(QStringLiteral("translations/language.dat"), list);
        dir.writeFile(QStringLiteral("cfg.dat"), "current lang:1\r\n");
        AppConfig c;
        c.loadLanguageList();
        QCOMPARE(c.languageCount(), 5); // seven lines, five languages
        c.loadConfig();
        QCOMPARE(c.languageIndex(), 1);
        QCOMPARE(c.currentLanguageName(), QStringLiteral("lang2"));
        QCOMPARE(c.currentFontFamily(), QStringLiteral("Font2"));

        dir.writeFile(QStringLiteral("cfg.dat"), "current lang:7\r\n");
        AppConfig outOfRange;
        outOfRange.loadLanguageList();
        outOfRange.loadConfig();
        QCOMPARE(outOfRange.languageIndex(), 0);

        dir.writeFile(QStringLiteral("cfg.dat"), "current lang:\r\n"); // no digit at all
        AppConfig truncated;
        truncated.loadLanguageList();
        truncated.loadConfig();
        QCOMPARE(truncated.languageIndex(), 0);
    }

    void lineWithoutAFieldGivesEmptyEntry()
    {
        ScratchDir dir;
        dir.writeFile(QStringLiteral("translations/language.dat"),
                      "lang:english;\r\nfont:Arial;\r\n");
        AppConfig c;
        c.loadLanguageList();
        QCOMPARE(c.languageNames(), (QStringList{QStringLiteral("english"), QString()}));

        // A last line without its line end still counts; an empty line is an entry.
        dir.writeFile(QStringLiteral("translations/language.dat"),
                      "lang:english;\n\nlang:chinese;");
        c.loadLanguageList();
        QCOMPARE(c.languageNames(),
                 (QStringList{QStringLiteral("english"), QString(), QStringLiteral("chinese")}));
    }

    void titles()
    {
        ScratchDir dir;
        dir.writeFile(QStringLiteral("translations/language.dat"),
                      "lang:english;font:Arial;\r\nlang:chinese;font:Song;\r\n");
        dir.writeFile(QStringLiteral("cfg.dat"), "current lang:1\r\nEN:My Processor\r\n");
        AppConfig c;
        c.loadLanguageList();
        c.loadConfig();
        QTranslator translator;
        // Chinese without a CN: line keeps the default title.
        QCOMPARE(c.applyLanguage(1, translator), QStringLiteral("Digital Audio Processor"));
        QCOMPARE(c.applyLanguage(0, translator), QStringLiteral("My Processor"));
        QCOMPARE(c.applyLanguage(9, translator), QStringLiteral("My Processor"));
        QCOMPARE(c.languageIndex(), 0);
    }

    void saveWritesKeysInOrderAndKeepsConnectAddress()
    {
        ScratchDir dir;
        dir.writeFile(QStringLiteral("translations/language.dat"),
                      "lang:english;font:Arial;\r\nlang:chinese;font:Song;\r\n");
        dir.writeFile(QStringLiteral("cfg.dat"),
                      "HighDpiScaling:0\r\nconnect ip:192.168.5.20\r\ncode:7;\r\nCN:Title\r\n"
                      "current lang:1\r\nunknown:x\r\n");
        AppConfig c;
        c.loadLanguageList();
        c.loadConfig();
        c.setHighDpi(AppConfig::readHighDpiSetting());
        QCOMPARE(c.connectAddress(), QHostAddress(QStringLiteral("192.168.5.20")));
        QVERIFY(c.saveConfig());
        QCOMPARE(dir.readFile(QStringLiteral("cfg.dat")),
                 QByteArray("current lang:1\r\ncode:7\r\nconnect ip:192.168.5.20\r\nCN:Title\r\n"
                            "HighDpiScaling:0\r\n"));
        // What was written reads back the same.
        AppConfig again;
        again.loadLanguageList();
        again.loadConfig();
        QCOMPARE(again.connectAddress(), c.connectAddress());
        QCOMPARE(again.code(), quint16(7));
        QCOMPARE(again.languageIndex(), 1);
    }

    void invalidConnectAddressStaysNull()
    {
        ScratchDir dir;
        dir.writeFile(QStringLiteral("cfg.dat"), "connect ip:300.1.1.1\r\n");
        AppConfig c;
        c.loadConfig();
        QVERIFY(c.connectAddress().isNull());
    }
};

QTEST_GUILESS_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
