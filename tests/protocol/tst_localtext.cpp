// The unit's text codec: GB2312 of its own whatever the locale's codec, and
// texts cut to a field at a whole character in time bounded by the field.

#include "protocol/localtext.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTextCodec>

namespace {

// The cut as a plain search over prefixes: the longest run of whole
// characters whose bytes fit.
QString referenceCut(const QString &text, int maxBytes)
{
    QTextCodec *gb = QTextCodec::codecForName("GB2312");
    QString best;
    for (int n = 0; n <= text.size(); ++n) {
        if (n > 0 && n < text.size() && text.at(n).isLowSurrogate())
            continue;
        if (gb->fromUnicode(text.left(n)).size() <= maxBytes)
            best = text.left(n);
    }
    return best;
}

} // namespace

class TestLocalText : public QObject
{
    Q_OBJECT

private slots:
    // The locale's codec may be anything a user has; the unit's bytes are
    // GB2312 all the same, both ways.
    void unitTextIsGb2312WhateverTheLocale_data()
    {
        QTest::addColumn<QByteArray>("locale");
        QTest::newRow("UTF-8") << QByteArray("UTF-8");
        QTest::newRow("Latin-1") << QByteArray("ISO-8859-1");
    }

    void unitTextIsGb2312WhateverTheLocale()
    {
        QFETCH(QByteArray, locale);
        QTextCodec *const before = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(locale));
        const QString lectern = QString::fromUtf8("讲台 A");
        const QByteArray gb("\xBD\xB2\xCC\xA8 A");
        const QByteArray encoded = LocalText::encode(lectern);
        const QString decoded = LocalText::decode(gb);
        const QString field = LocalText::decodeField(gb + QByteArray(4, '\0'), 0, 10);
        QTextCodec::setCodecForLocale(before);
        QCOMPARE(encoded, gb);
        QCOMPARE(decoded, lectern);
        QCOMPARE(field, lectern);
    }

    void cutAtAWholeCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::newRow("fits") << QStringLiteral("Rack 1") << 16;
        QTest::newRow("ASCII cut") << QStringLiteral("Lectern microphone left") << 16;
        QTest::newRow("two-byte characters, odd room")
            << QString::fromUtf8("讲台讲台讲台讲台讲台") << 15;
        QTest::newRow("mixed") << QString::fromUtf8("A讲B台C讲D台E讲F") << 10;
        QTest::newRow("surrogate pair at the edge")
            << (QStringLiteral("abc") + QString::fromUcs4(U"\U0001F3B5") + QStringLiteral("d"))
            << 4;
        QTest::newRow("no room") << QString::fromUtf8("讲") << 1;
        QTest::newRow("empty") << QString() << 16;
    }

    void cutAtAWholeCharacter()
    {
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QString kept;
        const QByteArray bytes = LocalText::encodeFitting(text, maxBytes, &kept);
        QCOMPARE(kept, referenceCut(text, maxBytes));
        QCOMPARE(bytes, LocalText::encode(kept));
        QVERIFY(bytes.size() <= maxBytes);
    }

    // A text from a file or a command line may be of any length: the cut
    // costs no more than the field (300,000 characters once took 13 s).
    void longTextsAreCutQuickly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << QString(300000, QLatin1Char('x'));
        QTest::newRow("Chinese") << QString::fromUtf8("讲台").repeated(150000);
    }

    void longTextsAreCutQuickly()
    {
        QFETCH(QString, text);
        QElapsedTimer t;
        t.start();
        QString kept;
        const QByteArray bytes = LocalText::encodeFitting(text, 16, &kept);
        QVERIFY2(t.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
        QCOMPARE(bytes.size(), 16);
        QCOMPARE(kept, text.left(kept.size()));
    }
};

QTEST_GUILESS_MAIN(TestLocalText)
#include "tst_localtext.moc"
