// The protocol trace in the program against a simulated unit: opened from the
// Tools menu it shows the login and the polling in both directions; closed, it
// records nothing.

#include "cmdtool/tracemodel.h"
#include "cmdtool/tracewindow.h"
#include "devices/qdevicelist.h"
#include "protocol/frametrace.h"
#include "protocol/transport.h"
#include "tests/support/apprig.h"

#include <QAction>
#include <QTest>

class TestTraceE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void traceShowsTheConversationWhileOpen()
    {
        AppRig rig(1);
        MainWindow &w = *rig.window;
        w.show();
        QTRY_VERIFY(w.deviceList()->count() > 0);
        QAction *action = w.action(QStringLiteral("protocolTrace"));
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("Protocol Trace"));
        action->trigger();
        auto *trace = w.findChild<TraceWindow *>();
        QVERIFY(trace && trace->isVisible());

        w.devChanged(rig.rowOf(0));
        QTRY_VERIFY(isLoggedIn());
        const auto seen = [trace](const char *name, FrameTrace::Direction d) {
            TraceModel *m = trace->model();
            for (int row = 0; row < m->rowCount(); ++row)
                if (m->lineAt(row).contains(QLatin1String(name)) && m->record(row).direction == d)
                    return true;
            return false;
        };
        QTRY_VERIFY(seen("Login.Login", FrameTrace::Direction::Received));
        QTRY_VERIFY(seen("InputLevel.Meter", FrameTrace::Direction::Sent));
        QTRY_VERIFY(seen("InputLevel.Meter", FrameTrace::Direction::Received));
        QTRY_VERIFY(seen("Settings.Fault", FrameTrace::Direction::Received));

        trace->close();
        QVERIFY(!FrameTrace::isInstalled());
        trace->model()->flush();
        const int rows = trace->model()->rowCount();
        QTest::qWait(300); // polling goes on: three rounds of meter reads
        trace->model()->flush();
        QCOMPARE(trace->model()->rowCount(), rows);
    }
};

QTEST_MAIN(TestTraceE2E)
#include "tst_tracee2e.moc"
