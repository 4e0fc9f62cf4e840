// The fault box (text, showing, repeating, closing) and the factory reset
// confirmation.

#include "app/factoryreset.h"
#include "app/faultreport.h"
#include "app/repeattimer.h"
#include "pages/operatorprompt.h"
#include "protocol/transport.h"
#include "tests/support/loopbackpeer.h"

#include <QMessageBox>
#include <QTest>
#include <QWidget>

namespace {

// A repeat timer driven by hand: advance() moves its clock.
class ManualTimer final : public RepeatTimer
{
public:
    void start(int intervalMs) override
    {
        m_interval = intervalMs;
        m_elapsed = 0;
        m_active = true;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    void advance(int ms)
    {
        while (m_active && ms > 0) {
            const int step = qMin(ms, m_interval - m_elapsed);
            m_elapsed += step;
            ms -= step;
            if (m_elapsed == m_interval) {
                m_elapsed = 0;
                emit timeout();
            }
        }
    }

private:
    int m_interval = 0;
    int m_elapsed = 0;
    bool m_active = false;
};

class ScriptedPrompt final : public OperatorPrompt
{
public:
    explicit ScriptedPrompt(int answer) : m_answer(answer) { install(this); }
    ~ScriptedPrompt() override { install(nullptr); }
    int ask(QWidget *, QMessageBox::Icon, const QString &title, const QString &t,
            const QStringList &b, int) override
    {
        asked.append(title);
        text = t;
        buttons = b;
        return m_answer;
    }
    QStringList asked;
    QString text;
    QStringList buttons;

private:
    int m_answer;
};

struct Box
{
    Box() : report([this] { return fault; }, &parent, timer) {}
    QWidget parent;
    quint8 fault = 0;
    ManualTimer *timer = new ManualTimer;
    FaultReport report;
    bool shown() { return report.box()->isVisible(); }
    void unitReports(quint8 f)
    {
        fault = f;
        report.setFault(f);
    }
};

} // namespace

class TestFaultReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void text_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("parts");
        QTest::newRow("DAC and Flash") << 0x06 << "DAC, Flash";
        QTest::newRow("DSP alone") << 0x01 << "DSP";
        QTest::newRow("all four") << 0x0F << "DSP, DAC, Flash, Temp";
        QTest::newRow("high bits not named") << 0xF8 << "Temp";
    }

    void text()
    {
        QFETCH(int, fault);
        QFETCH(QString, parts);
        QCOMPARE(FaultReport::text(quint8(fault)),
                 "Found fault :\n\n" + parts + "\n\nSee the Settings page for details.");
    }

    void showsRepeatsAndCloses()
    {
        Box b;
        b.unitReports(0x06);
        QVERIFY(b.shown());
        QVERIFY(!b.report.box()->isModal());
        QCOMPARE(b.report.box()->windowTitle(), QStringLiteral("Device Fault"));
        QCOMPARE(b.report.box()->icon(), QMessageBox::Critical);
        QCOMPARE(b.report.box()->text(), FaultReport::text(0x06));

        // Closed by the operator, the box comes back two minutes after it was shown.
        b.report.box()->accept();
        b.timer->advance(FaultReport::RepeatMs - 1);
        QVERIFY(!b.shown());
        b.timer->advance(1);
        QVERIFY(b.shown());
        b.report.box()->accept();
        b.timer->advance(FaultReport::RepeatMs);
        QVERIFY(b.shown());

        // A change in bits that name no part does not bring the box back.
        b.report.box()->accept();
        b.unitReports(0x16);
        QVERIFY(!b.shown());
        // Another part failing does, with the new text.
        b.unitReports(0x1E);
        QVERIFY(b.shown());
        QCOMPARE(b.report.box()->text(), FaultReport::text(0x0E));

        b.unitReports(0x30);
        QVERIFY(!b.shown());
        QVERIFY(!b.timer->isActive());
    }

    void repeatStopsWhenTheFaultIsGone()
    {
        Box b;
        b.unitReports(0x08);
        b.report.box()->accept();
        b.fault = 0; // cleared without a report reaching the box
        b.timer->advance(FaultReport::RepeatMs);
        QVERIFY(!b.shown());
        QVERIFY(!b.timer->isActive());
    }

    void factoryReset()
    {
        LoopbackPeer peer;
        QVERIFY(peer.isReady());
        setLoggedIn(false);
        {
            ScriptedPrompt ok(0);
            QVERIFY(!FactoryReset::confirmAndSend(nullptr));
            QVERIFY(ok.asked.isEmpty()); // not even asked while logged out
        }
        setLoggedIn(true);
        {
            ScriptedPrompt cancel(1);
            QVERIFY(!FactoryReset::confirmAndSend(nullptr));
            QCOMPARE(cancel.asked, QStringList{QStringLiteral("warning")});
            QCOMPARE(cancel.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
            QVERIFY(cancel.text.contains(
                QLatin1String("Restore the factory settings will delete all user data!!!")));
        }
        {
            ScriptedPrompt closed(-1); // the box closed without a button
            QVERIFY(!FactoryReset::confirmAndSend(nullptr));
        }
        QVERIFY(peer.staysQuiet(150));
        ScriptedPrompt ok(0);
        QVERIFY(FactoryReset::confirmAndSend(nullptr));
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.rawReceived(), hexBytes("82 7D 01 00 02 02 15 01 00 00 7D 82"));
        setLoggedIn(false);
    }
};

QTEST_MAIN(TestFaultReport)
#include "tst_faultreport.moc"
