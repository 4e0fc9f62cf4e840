// The preset page and its transfers against a loopback peer playing the unit:
// the export and import walks, their refusals and stops (an export that does
// not finish leaves the file it would replace as it was), renaming, the list
// answer, confirmations and the recall progress.

#include "presets/presettransfer.h"
#include "presets/qpreset.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "protocol/progressguard.h"
#include "tests/presets/badfiles.h"
#include "tests/support/answeringprompt.h"
#include "tests/support/loopbackpeer.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

using Chunks = QVector<QPair<quint32, quint32>>; // offset, bytes

QByteArray pattern(int size, int seed = 0)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 7 + seed) & 0xFF);
    return b;
}

// A 545-byte list answer: the current slot, then each slot's flag and name.
QByteArray list545(quint8 current, const QMap<int, QByteArray> &names)
{
    QByteArray list(1, char(current));
    for (int slot = 0; slot < 32; ++slot)
        list += char(names.contains(slot) ? 1 : 0) + names.value(slot).leftJustified(16, '\0');
    return list;
}

// The page, its progress and a peer standing in for the unit.
struct Bench
{
    void answer(quint8 cmd, const QByteArray &payload)
    {
        page.receive(cmd, 0x80, quint16(payload.size()), payload);
    }
    // Plays the unit for every frame of `cmd` the page sends until it stops
    // sending (a walk that never ends fails here instead of hanging).
    Chunks serve(quint8 cmd, const std::function<void(const Proto::Frame &)> &reply)
    {
        Chunks seen;
        while (seen.size() < 200 && peer.waitForFrames(handled + 1, 300)) {
            const Proto::Frame f = peer.frames().at(handled++);
            if (f.cmd != cmd)
                continue;
            seen.append({Le::get<quint32>(f.payload, 0),
                         cmd == 12 ? Le::get<quint32>(f.payload, 4) : f.payload.size() - 4});
            reply(f);
        }
        return seen;
    }
    int sent(quint8 cmd) const
    {
        return int(std::count_if(peer.frames().begin(), peer.frames().end(),
                                 [cmd](const Proto::Frame &f) { return f.cmd == cmd; }));
    }

    ScratchDir dir;
    AnsweringPrompt prompt;
    LoopbackPeer peer;
    ProgressGuard progress;
    QPreset page{&progress};
    int handled = 0;
};

} // namespace

class TestPreset : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void exportWalk_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("limit");    // bytes the unit gives per answer at most
        QTest::addColumn<int>("extra");    // bytes it adds to each answer
        QTest::addColumn<int>("stopAt");   // answer at which the export is stopped
        QTest::addColumn<QString>("stop"); // how
        QTest::addColumn<Chunks>("requests");
        QTest::addColumn<bool>("completes");

        QTest::newRow("2500 bytes") << 2500 << 1024 << 0 << -1 << QString()
                                    << Chunks{{0, 1024}, {1024, 1024}, {2048, 452}} << true;
        QTest::newRow("nothing") << 0 << 1024 << 0 << -1 << QString() << Chunks{} << true;
        QTest::newRow("over-long")
            << 100 << 1024 << 50 << -1 << QString() << Chunks{{0, 100}} << true;
        QTest::newRow("short") << 2500 << 1000 << 0 << -1 << QString()
                               << Chunks{{0, 1024}, {1000, 1024}, {2000, 500}} << true;
        // An export that does not finish leaves the old file as it was, and
        // the answers that come after it are neither written nor followed.
        const Chunks two{{0, 1024}, {1024, 1024}};
        QTest::newRow("empty answer") << 2500 << 1024 << 0 << 1 << "empty" << two << false;
        QTest::newRow("cancelled") << 2500 << 1024 << 0 << 1 << "cancel" << two << false;
        QTest::newRow("watchdog") << 2500 << 1024 << 0 << 1 << "silence" << two << false;
        QTest::newRow("new export") << 2500 << 1024 << 0 << 1 << "export" << two << false;
        QTest::newRow("recall displaces it") << 2500 << 1024 << 0 << 1 << "recall" << two << false;
    }

    void exportWalk()
    {
        QFETCH(int, total);
        QFETCH(int, stopAt);
        QFETCH(QString, stop);
        QFETCH(bool, completes);
        Bench b;
        b.progress.setInterval(stop == QLatin1String("silence") ? 100 : 2000);
        QSignalSpy finished(b.page.transfer(), &PresetTransfer::finished);
        QSignalSpy timedOut(&b.progress, &ProgressGuard::timedOut);
        const QByteArray image = pattern(total);
        const QByteArray old = "contents of an older export";
        b.prompt.file = b.dir.filePath(QStringLiteral("all")); // gets its extension
        b.dir.writeFile(QStringLiteral("all.pstl"), old);
        QTest::mouseClick(b.page.exportAllButton(), Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        b.answer(11, Le::bytes(quint32(total)));
        int n = 0;
        const auto chunk = [&](const Proto::Frame &f) -> QByteArray {
            QFETCH(int, limit);
            QFETCH(int, extra);
            const int count = qMin(int(Le::get<quint32>(f.payload, 4)), limit);
            return image.mid(int(Le::get<quint32>(f.payload, 0)), count) + QByteArray(extra, 'X');
        };
        const Chunks requests = b.serve(12, [&](const Proto::Frame &f) {
            if (n++ != stopAt) {
                b.answer(12, chunk(f));
                return;
            }
            if (stop == QLatin1String("empty")) {
                b.answer(12, QByteArray());
                return;
            }
            if (stop == QLatin1String("cancel"))
                b.progress.cancel();
            else if (stop == QLatin1String("export"))
                b.page.transfer()->beginExport(PresetTransfer::AllSlots,
                                               b.dir.filePath(QStringLiteral("other.pstl")));
            else if (stop == QLatin1String("recall"))
                b.answer(9, QByteArray(1, '\0'));
            else if (stop == QLatin1String("silence"))
                QVERIFY(timedOut.wait(2000));
            b.answer(12, chunk(f)); // late
        });
        QTEST(requests, "requests");
        QVERIFY(b.peer.staysQuiet());
        QCOMPARE(b.dir.readFile(QStringLiteral("all.pstl")), completes ? image : old);
        // Nothing is left beside it.
        QCOMPARE(QDir(b.dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("all.pstl")});
        QCOMPARE(b.prompt.shown.size(), stop == QLatin1String("empty") ? 1 : 0);
        QCOMPARE(finished.size(), completes ? 1 : 0);
        QCOMPARE(timedOut.size(), stop == QLatin1String("silence") ? 1 : 0);
        if (stop != QLatin1String("export") && stop != QLatin1String("recall"))
            QVERIFY(!b.progress.isRunning());
    }

    // The image a unit announces is bounded before anything is asked for or
    // kept: 64 KiB a slot, 2 MiB for all 32.
    void exportOfAnImageTooLargeAsksForNothing_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<quint32>("total");
        QTest::addColumn<bool>("taken");
        QTest::newRow("all, 2 MiB") << -1 << quint32(2 << 20) << true;
        QTest::newRow("all, 2 MiB and a byte") << -1 << quint32((2 << 20) + 1) << false;
        QTest::newRow("all, 128 MiB") << -1 << quint32(128u << 20) << false;
        QTest::newRow("one, 64 KiB") << 4 << quint32(64 << 10) << true;
        QTest::newRow("one, 64 KiB and a byte") << 4 << quint32((64 << 10) + 1) << false;
        QTest::newRow("one, 4 GiB") << 4 << quint32(0xFFFFFFFFu) << false;
    }

    void exportOfAnImageTooLargeAsksForNothing()
    {
        QFETCH(int, slot);
        QFETCH(quint32, total);
        QFETCH(bool, taken);
        Bench b;
        b.dir.writeFile(QStringLiteral("old.pstl"), "old");
        b.prompt.file = b.dir.filePath(QStringLiteral("old.pstl"));
        b.answer(1, list545(0, {{4, "Four"}}));
        QTest::mouseClick(slot < 0 ? b.page.exportAllButton()
                                   : b.page.button(slot, QPreset::ExportColumn),
                          Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        b.answer(slot < 0 ? 11 : 10, Le::bytes(total));
        QCOMPARE(b.peer.waitForFrames(2, taken ? 3000 : 300), taken);
        if (taken) {
            QCOMPARE(b.peer.frames().at(1).payload, Le::bytes(quint32(0), quint32(1024)));
            return;
        }
        QCOMPARE(b.prompt.shown.size(), 1);
        const QString limit = QString::number(slot < 0 ? 2 << 20 : 64 << 10);
        QVERIFY2(b.prompt.shown.at(0).startsWith(QLatin1String("ERROR|")) &&
                     b.prompt.shown.at(0).contains(QString::number(total)) &&
                     b.prompt.shown.at(0).contains(limit),
                 qPrintable(b.prompt.shown.at(0)));
        QCOMPARE(b.dir.readFile(QStringLiteral("old.pstl")), QByteArray("old"));
        QVERIFY(!b.progress.isRunning());
    }

    // A unit that never answers the request: the watchdog, started with it,
    // ends the transfer and tells whoever shows the progress; a late answer
    // starts nothing.
    void unansweredRequestTimesOut_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<bool>("exporting");
        QTest::newRow("export all") << true << true;
        QTest::newRow("export one") << false << true;
        QTest::newRow("import all") << true << false;
        QTest::newRow("import one") << false << false;
    }

    void unansweredRequestTimesOut()
    {
        QFETCH(bool, all);
        QFETCH(bool, exporting);
        Bench b;
        b.progress.setInterval(100);
        QSignalSpy timedOut(&b.progress, &ProgressGuard::timedOut);
        const QString name = all ? QStringLiteral("x.pstl") : QStringLiteral("x.pst");
        const QByteArray file(all ? 32 * 40 : 40, '\1');
        b.dir.writeFile(name, file);
        b.prompt.file = b.dir.filePath(name);
        b.answer(1, list545(0, {{2, "Two"}}));
        const QPreset::Column column = exporting ? QPreset::ExportColumn : QPreset::ImportColumn;
        QPushButton *button =
            all ? (exporting ? b.page.exportAllButton() : b.page.importAllButton())
                : b.page.button(2, column);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        QVERIFY(timedOut.wait(2000));
        QCOMPARE(timedOut.at(0).at(0).value<QObject *>(), b.page.transfer());
        QCOMPARE(b.page.transfer()->state(), PresetTransfer::State::Idle);
        b.answer(b.peer.frames().at(0).cmd, Le::bytes(quint32(file.size())));
        QVERIFY(b.peer.staysQuiet());
        QCOMPARE(b.dir.readFile(name), file);
    }

    void exportToAnUnwritableFileAsksForNothing()
    {
        Bench b;
        b.prompt.file = b.dir.filePath(QStringLiteral("no/such/folder/one.pst"));
        b.answer(1, list545(0, {{4, "Four"}}));
        QTest::mouseClick(b.page.button(4, QPreset::ExportColumn), Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        QCOMPARE(b.peer.frames().at(0).payload, QByteArray(1, char(4)));
        b.answer(10, Le::bytes(quint32(2500)));
        QVERIFY(b.prompt.shown.value(0).startsWith(QLatin1String("ERROR|")));
        QVERIFY(b.peer.staysQuiet());
        QVERIFY(!b.progress.isRunning());
    }

    void importAllWalksRecords()
    {
        // Records 0 and 2 hold presets; the others, the last included, do not.
        Bench b;
        QByteArray file = pattern(32 * 4000, 3);
        for (int r = 0; r < 32; ++r)
            file[r * 4000] = char(r == 0 || r == 2 ? 1 : 0);
        b.dir.writeFile(QStringLiteral("all.pstl"), file);
        b.prompt.file = b.dir.filePath(QStringLiteral("all.pstl"));
        QTest::mouseClick(b.page.importAllButton(), Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        b.answer(14, Le::bytes(quint32(file.size())));
        QCOMPARE(b.progress.label(), QStringLiteral("Importing..."));
        const Chunks sent = b.serve(15, [&](const Proto::Frame &f) {
            QCOMPARE(f.payload.mid(4),
                     file.mid(int(Le::get<quint32>(f.payload, 0)), f.payload.size() - 4));
            b.answer(15, Le::bytes(quint32(f.payload.size() - 4)));
        });
        const Chunks start{{0, 1024},    {1024, 1024}, {2048, 1024}, {3072, 928},  {4000, 17},
                           {8000, 0},    {8000, 17},   {8017, 1024}, {9041, 1024}, {10065, 1024},
                           {11089, 911}, {12000, 17},  {16000, 0},   {16000, 17}};
        QCOMPARE(sent.mid(0, start.size()), start);
        QCOMPARE(sent.size(), 4 + 2 + 5 + 29 * 2);
        QCOMPARE(sent.last(), qMakePair(128000u, 0u));
        QCOMPARE(b.page.transfer()->offset(), 128000u);
        QVERIFY(!b.progress.isRunning());
    }

    // Files that cannot be imported are refused before anything is sent.
    void importFileRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("kind"); // BadFile, or -1: a file of `size` bytes
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("message");

        const QString format = QStringLiteral("preset file format error! The file has ");
        const auto bad = [](BadFile k) { return int(k); };
        QTest::newRow("no file") << -1 << bad(BadFile::Missing) << 0LL << "does not exist";
        QTest::newRow("FIFO") << -1 << bad(BadFile::Fifo) << 0LL << "is not a regular file";
        QTest::newRow("folder") << 3 << bad(BadFile::Folder) << 0LL << "is not a regular file";
        QTest::newRow("unreadable") << -1 << bad(BadFile::Unreadable) << 0LL << "cannot be read";
        QTest::newRow("empty") << 3 << -1 << 0LL << format + "0 bytes";
        QTest::newRow("one slot, 16 bytes") << 3 << -1 << 16LL << format + "16 bytes";
        QTest::newRow("31 bytes") << -1 << -1 << 31LL << format + "31 bytes";
        QTest::newRow("records of 16 bytes") << -1 << -1 << 512LL << format + "512 bytes";
        // 32 empty records of 40 bytes and a tail that is no whole record, too
        // short for a header or long enough for one (a skipped tail would send
        // a chunk past the end of the file).
        QTest::newRow("tail of 10 bytes") << -1 << -1 << 32LL * 40 + 10 << format + "1290 bytes";
        QTest::newRow("tail of 21 bytes") << -1 << -1 << 32LL * 40 + 21 << format + "1301 bytes";
        QTest::newRow("all, above 2 MiB") << -1 << -1 << (2LL << 20) + 32
                                          << format + "2097184 bytes; a file of all presets has "
                                                      "at most 2097152.";
        QTest::newRow("one slot, above 64 KiB") << 3 << -1 << (64LL << 10) + 1
                                                << format + "65537 bytes; a file of one preset "
                                                            "has at most 65536.";
    }

    void importFileRefusedBeforeAnythingIsSent()
    {
        QFETCH(int, slot);
        QFETCH(int, kind);
        QFETCH(qint64, size);
        Bench b;
        const QString name = QStringLiteral("in.pstl");
        if (kind < 0) {
            b.dir.writeFile(name, QByteArray());
            QVERIFY(QFile(b.dir.filePath(name)).resize(size)); // sparse, of zeros
        }
        b.prompt.file =
            kind < 0 ? b.dir.filePath(name) : makeBadFile(b.dir.path(), name, BadFile(kind));
        PermissionsEnforced permissions;
        QTest::mouseClick(slot < 0 ? b.page.importAllButton()
                                   : b.page.button(slot, QPreset::ImportColumn),
                          Qt::LeftButton);
        QVERIFY(b.peer.staysQuiet());
        QVERIFY(b.peer.rawReceived().isEmpty());
        QCOMPARE(b.prompt.shown.size(), 1);
        QFETCH(QString, message);
        QVERIFY2(b.prompt.shown.at(0).startsWith(QLatin1String("ERROR|")) &&
                     b.prompt.shown.at(0).contains(message),
                 qPrintable(b.prompt.shown.at(0)));
        QVERIFY(!b.progress.isRunning());
    }

    void importRefusedOrStopped_data()
    {
        QTest::addColumn<int>("expected"); // the unit's expected size
        QTest::addColumn<int>("accept");   // bytes it takes of a chunk; -1: all
        QTest::addColumn<int>("chunksSent");
        QTest::addColumn<QString>("message");

        QTest::newRow("wrong size")
            << 32 * 4001 << -1 << 0
            << QStringLiteral("ERROR|preset file format error! The unit expects 128032 bytes; "
                              "the file has 128000.");
        QTest::newRow("more accepted than sent")
            << 32 * 4000 << 1025 << 1
            << QStringLiteral("ERROR|The unit took more bytes than were sent; the import did "
                              "not finish.");
        // Sending the chunk again would get the same answer for ever.
        QTest::newRow("nothing accepted")
            << 32 * 4000 << 0 << 1
            << QStringLiteral("ERROR|The unit took none of the 1024 bytes sent; the import did "
                              "not finish.");
    }

    void importRefusedOrStopped()
    {
        QFETCH(int, accept);
        Bench b;
        b.prompt.file = b.dir.filePath(QStringLiteral("all.pstl"));
        b.dir.writeFile(QStringLiteral("all.pstl"), QByteArray(32 * 4000, '\1'));
        QTest::mouseClick(b.page.importAllButton(), Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        QFETCH(int, expected);
        b.answer(14, Le::bytes(quint32(expected)));
        b.serve(15, [&](const Proto::Frame &f) {
            b.answer(15, Le::bytes(quint32(accept < 0 ? f.payload.size() - 4 : accept)));
        });
        QTEST(b.sent(15), "chunksSent");
        QCOMPARE(b.prompt.shown.size(), 1);
        QTEST(b.prompt.shown.at(0), "message");
        QVERIFY(!b.progress.isRunning());
    }

    void importOfOneSlotIgnoresStrayAnswers()
    {
        Bench b;
        const QByteArray record = char(1) + pattern(1516);
        b.dir.writeFile(QStringLiteral("one.pst"), record);
        b.prompt.file = b.dir.filePath(QStringLiteral("one.pst"));
        const QByteArray size = Le::bytes(quint32(record.size()));
        b.answer(13, size); // nothing asked yet
        QTest::mouseClick(b.page.button(7, QPreset::ImportColumn), Qt::LeftButton);
        QVERIFY(b.peer.waitForFrames(1));
        QCOMPARE(b.peer.frames().at(0).payload, QByteArray(1, char(7)));
        b.answer(14, size); // the other import
        QVERIFY(b.peer.staysQuiet());
        b.answer(13, size);
        const Chunks sent = b.serve(15, [&](const Proto::Frame &f) {
            b.answer(15, Le::bytes(quint32(f.payload.size() - 4)));
        });
        QCOMPARE(sent, (Chunks{{0, 1024}, {1024, 493}}));
    }

    void rename_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("sent"); // empty: nothing sent
        QTest::addColumn<int>("boxes");

        const QString eight = QStringLiteral("会议室会议室会议");
        QTest::newRow("16 ASCII") << true << QStringLiteral("ABCDEFGHIJKLMNOP")
                                  << QByteArray("ABCDEFGHIJKLMNOP") << 0;
        QTest::newRow("8 two-byte") << true << eight << LocalText::encode(eight) << 0;
        QTest::newRow("9 two-byte") << true << eight + QChar(0x5BA4) << QByteArray() << 1;
        QTest::newRow("17 ASCII") << true << QStringLiteral("ABCDEFGHIJKLMNOPQ") << QByteArray()
                                  << 1;
        QTest::newRow("empty") << true << QString() << QByteArray() << 0;
        QTest::newRow("not edited") << false << QStringLiteral("Other") << QByteArray() << 0;
    }

    void rename()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, sent);
        Bench b;
        b.answer(1, list545(0, {{5, "Hall"}}));
        QLineEdit *field = b.page.nameField(5);
        field->setText(text);
        QFETCH(bool, typed);
        field->setModified(typed);
        emit field->editingFinished();
        QCOMPARE(field->text(), sent.isEmpty() ? QStringLiteral("Hall") : text);
        QTEST(int(b.prompt.shown.size()), "boxes");
        if (sent.isEmpty()) {
            QVERIFY(b.peer.staysQuiet());
            return;
        }
        QVERIFY(b.peer.waitForFrames(1));
        QCOMPARE(int(b.peer.frames().at(0).cmd), 5);
        QCOMPARE(b.peer.frames().at(0).payload, char(5) + sent);
    }

    void listAnswerSetsTheRows()
    {
        Bench b;
        QPushButton *load0 = b.page.button(0, QPreset::LoadColumn);
        QPushButton *load2 = b.page.button(2, QPreset::LoadColumn);
        const QByteArray list =
            ::list545(0, {{0, "Boot Default"}, {2, LocalText::encode(QStringLiteral("讲台"))}});
        b.answer(1, list.left(544));
        b.answer(1, list + '\0');
        QVERIFY(!load0->isEnabled());
        QCOMPARE(b.page.currentPreset(), int(QPreset::NoPreset));
        b.answer(1, list);
        QCOMPARE(b.page.currentPreset(), 0); // slot 0 can be the current one
        QVERIFY(load0->styleSheet().contains(QLatin1String("rgb(18, 183, 245)")));
        QCOMPARE(b.page.nameField(0)->text(), QStringLiteral("Boot Default"));
        QCOMPARE(b.page.nameField(2)->text(), QStringLiteral("讲台"));
        for (auto c : {QPreset::LoadColumn, QPreset::DeleteColumn, QPreset::ExportColumn}) {
            QVERIFY(b.page.button(2, c)->isEnabled());
            QVERIFY(!b.page.button(3, c)->isEnabled());
        }
        QVERIFY(b.page.button(3, QPreset::SaveColumn)->isEnabled());

        b.answer(1, list545(2, {{0, "Boot Default"}}));
        QVERIFY(load0->styleSheet().isEmpty());
        QVERIFY(!load2->styleSheet().isEmpty());
        QVERIFY(!load2->isEnabled());
        QCOMPARE(b.page.nameField(2)->text(), QString());
        b.answer(1, list545(0xFF, {})); // out of range: the highlight stays
        QCOMPARE(b.page.currentPreset(), 2);
    }

    void confirmations_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("button"); // 0 OK, 1 Cancel
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("question");
        for (auto [column, cmd, question] :
             {std::tuple{QPreset::SaveColumn, 2,
                         "Save preset|Save the current settings into preset 7?\n\nName of the "
                         "preset:|Six"},
              std::tuple{QPreset::LoadColumn, 9, "warning|Load preset?|OK,Cancel"},
              std::tuple{QPreset::DeleteColumn, 4, "warning|Delete preset?|OK,Cancel"}}) {
            QTest::addRow("%d OK", cmd) << int(column) << 0 << cmd << question;
            QTest::addRow("%d Cancel", cmd) << int(column) << 1 << cmd << question;
        }
    }

    void confirmations()
    {
        QFETCH(int, button);
        Bench b;
        b.prompt.button = button;
        b.answer(1, ::list545(0, {{6, "Six"}}));
        QFETCH(int, column);
        QTest::mouseClick(b.page.button(6, QPreset::Column(column)), Qt::LeftButton);
        QTEST(b.prompt.shown.value(0), "question");
        if (button == 1) {
            QVERIFY(b.peer.staysQuiet());
            return;
        }
        QVERIFY(b.peer.waitForFrames(1));
        QTEST(int(b.peer.frames().at(0).cmd), "cmd");
        QCOMPARE(b.peer.frames().at(0).payload, QByteArray(1, char(6)));
    }

    void recallProgress()
    {
        Bench b;
        b.answer(9, QByteArray(1, char(40))); // no recall started
        QVERIFY(!b.progress.isRunning());
        b.answer(9, QByteArray(1, char(0)));
        QCOMPARE(b.progress.label(), QStringLiteral("Loading..."));
        QCOMPARE(b.progress.maximum(), 100);
        b.answer(9, QByteArray(1, char(40)));
        QCOMPARE(b.progress.value(), 40);
        b.answer(9, QByteArray());            // too short
        b.answer(9, QByteArray(1, char(-5))); // not a percentage
        QVERIFY(b.progress.isRunning());
        QCOMPARE(b.progress.value(), 40);
        b.answer(9, QByteArray(1, char(100)));
        QVERIFY(!b.progress.isRunning());
    }
};

QTEST_MAIN(TestPreset)
#include "tst_preset.moc"
