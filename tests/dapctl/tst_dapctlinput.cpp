// dapctl against input from outside, in-process with simulated units on
// loopback: backup files whose checksum is right but whose values are not,
// values on the command line that no field takes, and names from a unit or
// a file that hold control characters. A refused file or value reaches no
// unit: the refusal comes before a connection is made.

#include "protocol/commands.h"
#include "sim/labeltables.h"
#include "sim/systemstate.h"
#include "tests/dapctl/ctlrun.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using namespace Proto;

namespace {

// A backup file's object written with a right checksum: SHA-256 over the
// compact form of everything but the checksum.
QByteArray sealed(QJsonObject o)
{
    o.remove(QStringLiteral("checksum"));
    const QByteArray compact = QJsonDocument(o).toJson(QJsonDocument::Compact);
    const QString sum =
        QStringLiteral("sha256:") +
        QString::fromLatin1(QCryptographicHash::hash(compact, QCryptographicHash::Sha256).toHex());
    o.insert(QStringLiteral("checksum"), sum);
    return QJsonDocument(o).toJson();
}

// Sets `path` ("settings.rs232Baud", "gainLimits.output.3.0") in `o`.
void setAt(QJsonObject &o, const QStringList &path, const QJsonValue &value)
{
    if (path.size() == 1) {
        o.insert(path[0], value);
        return;
    }
    const QJsonValue inner = o.value(path[0]);
    if (inner.isArray()) {
        QJsonArray a = inner.toArray();
        const int i = path[1].toInt();
        if (path.size() == 2) {
            a[i] = value;
        } else {
            QJsonArray pair = a[i].toArray();
            pair[path[2].toInt()] = value;
            a[i] = pair;
        }
        o.insert(path[0], a);
    } else {
        QJsonObject child = inner.toObject();
        setAt(child, path.mid(1), value);
        o.insert(path[0], child);
    }
}

const QChar Esc(0x1b);

} // namespace

class TestDapctlInput final : public QObject, private CtlRack
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }
    void init() { QVERIFY(start()); }
    void cleanup() { stop(); }

    void badBackupValuesAreRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("named");
        QTest::newRow("RS232 speed 2^32 + 9600")
            << "settings.rs232Baud" << QJsonValue(4294976896.0) << "settings.rs232Baud";
        QTest::newRow("RS232 speed not whole")
            << "settings.rs232Baud" << QJsonValue(9600.5) << "settings.rs232Baud";
        QTest::newRow("unit id beyond any type") << "unit.id" << QJsonValue(1e300) << "unit.id";
        QTest::newRow("unit id 2^32") << "unit.id" << QJsonValue(4294967296.0) << "unit.id";
        QTest::newRow("negative unit id") << "unit.id" << QJsonValue(-1) << "unit.id";
        QTest::newRow("gate report beyond int")
            << "settings.gateReport" << QJsonValue(1e300) << "settings.gateReport";
        QTest::newRow("active preset not whole")
            << "presets.current" << QJsonValue(2.5) << "presets.current";
        QTest::newRow("limit not whole")
            << "gainLimits.input.2.0" << QJsonValue(6.5) << "gainLimits.input[2]";
        QTest::newRow("maximum below minimum")
            << "gainLimits.output.3.0" << QJsonValue(-30) << "gainLimits.output[3]";
        QTest::newRow("location of 300,000 characters")
            << "settings.location" << QJsonValue(QString(300000, QLatin1Char('A')))
            << "settings.location";
        QTest::newRow("label of 100 characters")
            << "labels.panel.4" << QJsonValue(QString(100, QLatin1Char('B'))) << "labels.panel";
        QTest::newRow("live band gain out of range")
            << "live.input.3.eq.2.gain" << QJsonValue(35) << "live.input.3.eq.2.gain";
        QTest::newRow("live location of 300,000 characters")
            << "live.system.location" << QJsonValue(QString(300000, QLatin1Char('A')))
            << "live.system.location";
        QTest::newRow("live crosspoint gain beyond any type")
            << "live.matrix.1.1.gain" << QJsonValue(1e300) << "live.matrix.1.1.gain";
        QTest::newRow("live switch 2") << "live.output.1.mute" << QJsonValue(2)
                                       << "live.output.1.mute";
        QTest::newRow("live choice beyond any type")
            << "live.input.1.mode" << QJsonValue(-1e300) << "live.input.1.mode";
        QTest::newRow("live unknown path")
            << "live.input.3.volume" << QJsonValue(1) << "live.input.3.volume";
        QTest::newRow("live section not an object") << "live" << QJsonValue(3) << "live";
    }

    void badBackupValuesAreRefusedBeforeAnythingIsSent()
    {
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QFETCH(QString, named);
        QCOMPARE(run({"set", "501", "output.4.min", "-20"}).code, 0);
        const QString file = m_dir->filePath(QStringLiteral("unit.dapbak"));
        QCOMPARE(run({"backup", "501", file}).code, 0);
        QJsonObject o =
            QJsonDocument::fromJson(m_dir->readFile(QStringLiteral("unit.dapbak"))).object();
        setAt(o, path.split(QLatin1Char('.')), value);
        m_dir->writeFile(QStringLiteral("unit.dapbak"), sealed(o));

        const QByteArray before = m_rack[1].model().presetState();
        QSignalSpy sessions(&m_rack[1], &SimUnit::sessionOpened);
        QElapsedTimer t;
        t.start();
        const CtlRun r = run({"restore", "502", file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(named) && r.err.contains(QStringLiteral("nothing was written")),
                 qPrintable(r.err));
        QVERIFY2(t.elapsed() < 5000, "refused, but only after a long time");
        QCOMPARE(sessions.count(), 0);
        QCOMPARE(m_rack[1].model().presetState(), before);
        QCOMPARE(m_rack[1].model().system().rs232Baud, 115200u);
    }

    // Values no field takes are refused before dapctl connects; a text a
    // little too long is still cut to its field.
    void badSetValuesAreRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("location of 80,000 characters")
            << QStringList{"system.location", QString(80000, QLatin1Char('L'))}
            << "system.location";
        QTest::newRow("label of 200 Chinese characters")
            << QStringList{"label.input.2", QString::fromUtf8("讲").repeated(200)}
            << "label.input.2";
        QTest::newRow("maximum below minimum, given together")
            << QStringList{"output.3.min", "0", "output.3.max", "-20"} << "output.3.max";
    }

    void badSetValuesAreRefusedBeforeAnythingIsSent()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        QSignalSpy sessions(&m_rack[0], &SimUnit::sessionOpened);
        QElapsedTimer t;
        t.start();
        const CtlRun r = run(QStringList{"set", "501"} + args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(named), qPrintable(r.err));
        QVERIFY(t.elapsed() < 5000);
        QCOMPARE(sessions.count(), 0);
        QCOMPARE(m_rack[0].model().system().location, QStringLiteral("Rack 1"));
        QCOMPARE(m_rack[0].model().labels().label(LabelTables::Inputs, 1),
                 QByteArray("Handheld 1"));
    }

    // A limit set alone meets the unit's other one: a maximum below the
    // minimum would mute the channel, so it is not sent. Given together,
    // the two are checked against each other whatever their order.
    void gainLimitsStayInOrder()
    {
        QCOMPARE(run({"set", "501", "output.3.max", "-20"}).code, 0);
        const CtlRun reversed = run({"set", "501", "output.3.min", "0"});
        QCOMPARE(reversed.code, 2);
        QVERIFY2(reversed.err.contains(QStringLiteral("output.3.min")), qPrintable(reversed.err));
        QCOMPARE(run({"get", "501", "output.3.min"}).out,
                 QStringLiteral("output.3.min = -56 dB\n"));

        const CtlRun both = run({"set", "501", "output.3.min", "0", "output.3.max", "10"});
        QVERIFY2(both.code == 0, qPrintable(both.err));
        QCOMPARE(run({"get", "501", "output.3.max", "output.3.min"}).out,
                 QStringLiteral("output.3.max = 10 dB\noutput.3.min = 0 dB\n"));
        const CtlRun cut = run({"set", "501", "label.output.4", "Lectern microphone left"});
        QCOMPARE(cut.code, 0);
        QVERIFY(cut.err.contains(QStringLiteral("cut to \"Lectern micropho\"")));
    }

    // Names from a unit are printed with their control characters escaped;
    // JSON output escapes them as JSON does.
    void controlCharactersFromAUnitAreEscaped()
    {
        SimUnit &unit = m_rack[0];
        unit.model().system().model = QStringLiteral("DAP") + Esc + QStringLiteral("[2J");
        unit.model().system().location = QStringLiteral("Hall\nB");
        writeTo(unit, OpSystem, SysModule::Labels, LabelCmd::Inputs,
                QByteArray(1, 0) + "Mic\x1b[31m\r");
        writeTo(unit, OpBlock, Module::Preset, PresetCmd::Save, QByteArray(1, 5));
        writeTo(unit, OpBlock, Module::Preset, PresetCmd::Rename,
                QByteArray(1, 5) + "Eve\x1b]0;x\x07");

        const CtlRun status = run({"status", "501"});
        QCOMPARE(status.code, 0);
        QVERIFY2(status.out.contains(QStringLiteral("DAP\\x1b[2J")), qPrintable(status.out));
        QVERIFY(status.out.contains(QStringLiteral("Hall\\nB")));
        const CtlRun get = run({"get", "501", "label.input.1", "system.location"});
        QCOMPARE(get.out,
                 QStringLiteral("label.input.1 = Mic\\x1b[31m\\r\nsystem.location = Hall\\nB\n"));
        const CtlRun list = run({"preset", "501", "list"});
        QVERIFY2(list.out.contains(QStringLiteral("Eve\\x1b]0;x\\x07")), qPrintable(list.out));
        for (const CtlRun *r : {&status, &get, &list})
            QVERIFY(!r->out.contains(Esc) && !r->out.contains(QChar(7)));

        const CtlRun json = run({"status", "501", "--json"});
        QVERIFY(!json.out.contains(Esc));
        QVERIFY(json.out.contains(QStringLiteral("DAP\\u001b[2J")));
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("model")).toString(), unit.model().system().model);

        const CtlRun discover = runDapctl({"discover", "--timeout", "0.5", "--bind", "127.0.0.1",
                                           "--announce-port", QString::number(m_announcePort)});
        QVERIFY2(discover.out.contains(QStringLiteral("Hall\\nB")), qPrintable(discover.out));
        QVERIFY(!discover.out.contains(Esc) && !discover.out.contains(QStringLiteral("Hall\nB")));
    }

    void controlCharactersFromABackupAreEscaped()
    {
        const QString file = m_dir->filePath(QStringLiteral("unit.dapbak"));
        QCOMPARE(run({"backup", "501", file}).code, 0);
        QJsonObject o =
            QJsonDocument::fromJson(m_dir->readFile(QStringLiteral("unit.dapbak"))).object();
        setAt(o, {"unit", "model"}, QString(QStringLiteral("X") + Esc + QStringLiteral("[2J")));
        setAt(o, {"live", "system", "description"}, QStringLiteral("two\nlines"));
        m_dir->writeFile(QStringLiteral("unit.dapbak"), sealed(o));
        const CtlRun r = run({"restore", "502", file});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains(QStringLiteral("X\\x1b[2J")), qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("\"two\\nlines\"")));
        QVERIFY(!r.out.contains(Esc));
    }
};

QTEST_GUILESS_MAIN(TestDapctlInput)
#include "tst_dapctlinput.moc"
