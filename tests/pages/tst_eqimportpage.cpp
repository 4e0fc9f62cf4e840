// Equaliser files on the filter page: the graph's menu entries, the preview
// (nothing sent before "Apply"), the writes of "Apply" taken by a simulated
// unit's model, refusals, and the export.

#include "pages/filters/eqcurveplot.h"
#include "pages/filters/eqimportdialog.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/qinfilter.h"
#include "pages/filters/qoutfilter.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simmodel.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/loopbackpeer.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

namespace Cmd = Proto::FilterCmd;

// The page's channel as a unit answered it: cut filters off, 16 bands on.
void answerChannel(FilterPage &page, quint8 channel)
{
    const auto send = [&](quint8 cmd, const QByteArray &payload) {
        page.receive(cmd, 0x80, quint16(payload.size()), payload);
    };
    send(Cmd::HighPass, Le::bytes(channel, quint8(0), quint8(1), quint8(1), 20.0f));
    send(Cmd::LowPass, Le::bytes(channel, quint8(0), quint8(1), quint8(1), 20000.0f));
    for (quint8 b = 0; b < 16; ++b)
        send(Cmd::Band, Le::bytes(channel, b, quint8(1), quint8(0), 1000.0f, 2.0f, quint8(43)));
}

// What the page wrote (flag 1), leaving out its reads.
QVector<Proto::Frame> writes(const LoopbackPeer &peer)
{
    QVector<Proto::Frame> out;
    for (const Proto::Frame &f : peer.frames())
        if (f.flag == Proto::FlagWrite)
            out.append(f);
    return out;
}

// Waits until the reads in flight have arrived and nothing more comes.
bool settled(LoopbackPeer &peer)
{
    for (int round = 0; round < 20; ++round)
        if (peer.staysQuiet(100))
            return true;
    return false;
}

QString writeFile(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString name = dir.filePath(QStringLiteral("room.txt"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return QString();
    return name;
}

// The band record a simulated unit reports after the page's writes.
QByteArray unitBand(SimModel &unit, quint8 module, quint8 channel, quint8 band)
{
    const QByteArray selector = Le::bytes(channel, band);
    for (const SimModel::Answer &a :
         unit.handle(frameOf(Proto::OpBlock, module, Cmd::Band, Proto::FlagRead, selector)))
        if (a.cmd == Cmd::Band)
            return a.payload;
    return QByteArray();
}

const QByteArray RoomFile = "Filter Settings file\r\n"
                            "Preamp: -3 dB\r\n"
                            "Filter  1: ON  PK       Fc   63.0 Hz  Gain  -4.5 dB  Q  4.32\r\n"
                            "Filter  2: ON  PK       Fc   125 Hz  Gain  2,5 dB  Q  1,00\r\n"
                            "Filter  3: ON  HP       Fc   35 Hz\r\n";

} // namespace

class TestEqImportPage final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void previewThenApplyWritesTheChangedRecords()
    {
        AnsweringPrompt prompt;
        LoopbackPeer peer;
        QOutFilter page;
        page.setBandCount(8);
        page.channelButton(4)->click();
        answerChannel(page, 4);
        QTemporaryDir dir;
        prompt.file = writeFile(dir, RoomFile);

        emit page.graph()->importEqRequested(); // the menu's "Import EQ..."
        QCOMPARE(prompt.asked.size(), 1);
        EqImportDialog *dialog = page.eqImportDialog();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QVERIFY(settled(peer));
        QVERIFY(writes(peer).isEmpty()); // a preview sends nothing
        peer.clear();
        QVERIFY(dialog->deviationLabel()->text().contains(
            QString::number(dialog->largestDeviation(), 'f', 2)));
        // Peaking 63 Hz (Q 4.32 approximated), 125 Hz, the high-pass, the preamp,
        // bands 3 to 8 switched off.
        QCOMPARE(dialog->notes()->rowCount(), 5);
        QCOMPARE(dialog->notes()->item(0, 0)->text(), QStringLiteral("2"));

        dialog->applyButton()->click();
        // Bands 1 and 2, the high-pass, and bands 3..8 switched off: one frame
        // per record that changed; bands 9..16 are beyond this unit's count.
        QVERIFY(peer.waitForFrames(9));
        QVERIFY(settled(peer));
        QCOMPARE(writes(peer).size(), 9);
        SimModel unit;
        for (const Proto::Frame &f : writes(peer)) {
            QCOMPARE(int(f.flag), int(Proto::FlagWrite));
            QCOMPARE(int(f.module), int(Proto::Module::OutputFilter));
            QCOMPARE(quint8(f.payload[0]), quint8(4));
            unit.handle(f);
        }
        QCOMPARE(unitBand(unit, Proto::Module::OutputFilter, 4, 0),
                 Le::bytes(quint8(4), quint8(0), quint8(1), quint8(0), 63.0f, -4.5f, quint8(37)));
        QCOMPARE(unitBand(unit, Proto::Module::OutputFilter, 4, 1),
                 Le::bytes(quint8(4), quint8(1), quint8(1), quint8(0), 125.0f, 2.5f, quint8(12)));
        QCOMPARE(unitBand(unit, Proto::Module::OutputFilter, 4, 7).at(2), char(0));
        QCOMPARE(page.highPass().enable, quint8(1));
        QCOMPARE(page.highPass().type, quint8(1)); // Butterworth -12
        QCOMPARE(page.bandRecord(1).gain, 2.5f);
        QCOMPARE(page.graph()->response().band(0).frequency, 63.0f);
        // Answers to earlier reads do not pull the page back.
        answerChannel(page, 4);
        QCOMPARE(page.bandRecord(1).gain, 2.5f);
    }

    void cancelSendsNothing()
    {
        AnsweringPrompt prompt;
        LoopbackPeer peer;
        QInFilter page;
        answerChannel(page, 0);
        QTemporaryDir dir;
        QVERIFY(page.importEqFile(writeFile(dir, RoomFile)));
        page.eqImportDialog()->cancelButton()->click();
        QVERIFY(settled(peer));
        QVERIFY(writes(peer).isEmpty());
        QCOMPARE(page.bandRecord(0).frequency, 1000.0f);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("told");
        QTest::newRow("a broken line") << QByteArray("Filter 1: ON PK Fc 63 Hz\n"
                                                     "Filter 2: ON PK Fc x Hz Gain 1 dB Q 1\n")
                                       << true << "line 1: no gain";
        QTest::newRow("the channel not read yet")
            << QByteArray("Filter: ON PK Fc 63 Hz Gain 1 dB Q 1\n") << false << "not been read";
    }
    void refusals()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, answered);
        QFETCH(QString, told);
        AnsweringPrompt prompt;
        LoopbackPeer peer;
        QInFilter page;
        if (answered)
            answerChannel(page, 0);
        else
            page.channelButton(1)->click(); // read, not answered yet
        QTemporaryDir dir;
        QVERIFY(!page.importEqFile(writeFile(dir, text)));
        QVERIFY(!page.eqImportDialog());
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY2(prompt.shown[0].contains(told), qPrintable(prompt.shown[0]));
        QVERIFY(settled(peer));
    }

    void applyIsRefusedForAnotherChannel()
    {
        LoopbackPeer peer;
        QInFilter page;
        answerChannel(page, 0);
        EqChannel target;
        QVERIFY(!page.applyFilterSet(1, target));
        QVERIFY(page.applyFilterSet(0, target));
        QTRY_VERIFY(!writes(peer).isEmpty());
    }

    void exportWritesTheChannel()
    {
        AnsweringPrompt prompt;
        LoopbackPeer peer;
        QInFilter page;
        page.setBandCount(8);
        answerChannel(page, 0);
        QTemporaryDir dir;
        prompt.file = dir.filePath(QStringLiteral("in1")); // the suffix is added
        emit page.graph()->exportEqRequested();
        QFile file(prompt.file + QStringLiteral(".txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines[0].startsWith("# Filters of IN 1 (8 bands)"));
        QCOMPARE(lines[1], QByteArray("Filter 1: ON PK Fc 1000 Hz Gain 2.0 dB Q 6.0000"));
        QCOMPARE(lines[9], QByteArray("Filter 9: OFF HP Fc 20 Hz Q 0.7071"));
        QCOMPARE(lines[10], QByteArray("Filter 10: OFF LP Fc 20000 Hz Q 0.7071"));
        QVERIFY(settled(peer));
        QVERIFY(writes(peer).isEmpty());
    }
};

QTEST_MAIN(TestEqImportPage)
#include "tst_eqimportpage.moc"
