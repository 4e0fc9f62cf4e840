// The simulated unit's filter, delay and feedback blocks: answers with the
// stated lengths and the channel (and band) echoed, copy, reset, presets.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/delayblock.h"
#include "sim/feedbackblock.h"
#include "sim/filterblock.h"
#include "sim/simmodel.h"
#include "tests/support/testsupport.h"

#include <QTest>

#include <cmath>

namespace {

using namespace Proto;

Frame request(quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload = {})
{
    return frameOf(OpBlock, module, cmd, flag, payload);
}

// The one answer to a read, or an empty payload when there was none.
QByteArray read(SimModel &m, quint8 module, quint8 cmd, const QByteArray &payload = {})
{
    const auto answers = m.handle(request(module, cmd, FlagRead, payload));
    if (answers.size() != 1 || answers.at(0).flag != FlagAnswer)
        return QByteArray();
    return answers.at(0).payload;
}

void write(SimModel &m, quint8 module, quint8 cmd, const QByteArray &payload)
{
    QVERIFY(m.handle(request(module, cmd, FlagWrite, payload)).isEmpty());
}

FilterBlock &filters(SimModel &m, quint8 module)
{
    return *m.blockAs<FilterBlock>(OpBlock, module);
}

} // namespace

class TestFilterBlocks : public QObject
{
    Q_OBJECT

private slots:
    void filterRecordsRoundTrip()
    {
        SimModel m;
        const QByteArray hpf = Le::bytes(quint8(1), quint8(2), quint8(4), 125.5f);
        const QByteArray band = Le::bytes(quint8(1), quint8(1), 3150.0f, -7.5f, quint8(60));
        write(m, Module::OutputFilter, FilterCmd::HighPass, QByteArray(1, 9) + hpf);
        write(m, Module::OutputFilter, FilterCmd::Band, QByteArray::fromHex("090e") + band);
        QCOMPARE(read(m, Module::OutputFilter, FilterCmd::HighPass, QByteArray(1, 9)),
                 QByteArray(1, 9) + hpf);
        QCOMPARE(read(m, Module::OutputFilter, FilterCmd::Band, QByteArray::fromHex("090e")),
                 QByteArray::fromHex("090e") + band);
        // Other channels, bands and the input block keep their defaults.
        const QByteArray defaultLow =
            read(m, Module::InputFilter, FilterCmd::LowPass, QByteArray(1, 0));
        QCOMPARE(defaultLow,
                 QByteArray(1, 0) + Le::bytes(quint8(0), quint8(0), quint8(0), 20000.0f));
        QCOMPARE(read(m, Module::OutputFilter, FilterCmd::Band, QByteArray::fromHex("090d")).size(),
                 13);
        QCOMPARE(read(m, Module::InputFilter, FilterCmd::HighPass, QByteArray(1, 9)).mid(1),
                 filters(m, Module::InputFilter).highPass(0));
        // Requests that name no record, and writes of the wrong size, do nothing.
        QVERIFY(
            read(m, Module::InputFilter, FilterCmd::Band, QByteArray::fromHex("0010")).isEmpty());
        QVERIFY(read(m, Module::InputFilter, FilterCmd::HighPass, QByteArray(1, 16)).isEmpty());
        QVERIFY(read(m, Module::InputFilter, FilterCmd::Band, QByteArray(1, 0)).isEmpty());
        write(m, Module::OutputFilter, FilterCmd::HighPass, QByteArray(1, 9) + hpf.left(6));
        write(m, Module::OutputFilter, FilterCmd::Band, QByteArray::fromHex("0910") + band);
        QCOMPARE(filters(m, Module::OutputFilter).highPass(9), hpf);
    }

    void copyAndReset()
    {
        SimModel m;
        FilterBlock &in = filters(m, Module::InputFilter);
        FilterBlock &out = filters(m, Module::OutputFilter);
        write(m, Module::InputFilter, FilterCmd::LowPass,
              QByteArray(1, 0) + Le::bytes(quint8(1), quint8(1), quint8(3), 8000.0f));
        write(m, Module::InputFilter, FilterCmd::Band,
              QByteArray::fromHex("0007") +
                  Le::bytes(quint8(1), quint8(0), 900.0f, 4.0f, quint8(20)));
        const QByteArray source = in.channelRecords(0);
        // Inputs 2..4 and output 16.
        write(m, Module::InputFilter, FilterCmd::Copy,
              Le::bytes(quint8(0), quint16(0x000E), quint16(0x8000)));
        for (int c : {1, 2, 3})
            QCOMPARE(in.channelRecords(c), source);
        QVERIFY(in.channelRecords(4) != source);
        QCOMPARE(out.channelRecords(15), source);
        QVERIFY(out.channelRecords(0) != source);

        write(m, Module::InputFilter, FilterCmd::Reset, QByteArray(1, 2));
        QCOMPARE(in.channelRecords(2), in.channelRecords(4)); // defaults again
        QCOMPARE(in.channelRecords(1), source);
    }

    void delayAndFeedbackTables()
    {
        SimModel m;
        write(m, Module::InputDelay, DelayCmd::Delay, Le::bytes(quint8(3), 12.5f));
        write(m, Module::InputDelay, DelayCmd::Delay, Le::bytes(quint8(4), 5000.0f));
        write(m, Module::InputDelay, DelayCmd::Delay, Le::bytes(quint8(5), std::nanf("")));
        write(m, Module::OutputDelay, DelayCmd::Delay, Le::bytes(quint8(4), 5000.0f));
        const QByteArray in = read(m, Module::InputDelay, DelayCmd::Delay);
        QCOMPARE(in.size(), 64);
        QCOMPARE(Le::get<float>(in, 12), 12.5f);
        QCOMPARE(Le::get<float>(in, 16), 1000.0f);
        QCOMPARE(Le::get<float>(in, 20), 0.0f);
        QCOMPARE(m.blockAs<DelayBlock>(OpBlock, Module::OutputDelay)->delay(4), 2000.0f);

        write(m, Module::Feedback, FeedbackCmd::Enable, QByteArray::fromHex("0201"));
        const QByteArray fb = read(m, Module::Feedback, FeedbackCmd::Enable);
        QCOMPARE(fb, QByteArray::fromHex("00000100000000000000000000000000"));
    }

    void presetsHoldTheBlocks()
    {
        SimModel m;
        write(m, Module::OutputFilter, FilterCmd::Band,
              QByteArray::fromHex("0303") +
                  Le::bytes(quint8(1), quint8(2), 150.0f, 2.0f, quint8(9)));
        write(m, Module::InputDelay, DelayCmd::Delay, Le::bytes(quint8(1), 33.0f));
        write(m, Module::Feedback, FeedbackCmd::Enable, QByteArray::fromHex("0f01"));
        const QByteArray image = m.presetState();
        m.factoryReset();
        QCOMPARE(m.blockAs<DelayBlock>(OpBlock, Module::InputDelay)->delay(1), 0.0f);
        QCOMPARE(m.blockAs<FeedbackBlock>(OpBlock, Module::Feedback)->enable(15), quint8(0));
        QVERIFY(m.restorePresetState(image));
        QCOMPARE(filters(m, Module::OutputFilter).band(3, 3),
                 Le::bytes(quint8(1), quint8(2), 150.0f, 2.0f, quint8(9)));
        QCOMPARE(m.blockAs<DelayBlock>(OpBlock, Module::InputDelay)->delay(1), 33.0f);
        QCOMPARE(m.blockAs<FeedbackBlock>(OpBlock, Module::Feedback)->enable(15), quint8(1));
    }
};

QTEST_APPLESS_MAIN(TestFilterBlocks)
#include "tst_filterblocks.moc"
