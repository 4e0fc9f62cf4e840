// The WebSocket API against simulated units: values, subscriptions shared
// by clients, a unit that restarts, every kind of bad input, presets.

#include "tests/dapd/dapdrig.h"

using Params = QJsonObject;

namespace {

QJsonValue resultValue(const QJsonObject &response, const QString &path)
{
    return response.value(QStringLiteral("result"))
        .toObject()
        .value(QStringLiteral("values"))
        .toObject()
        .value(path);
}

int errorCode(const QJsonObject &response)
{
    return response.value(QStringLiteral("error")).toObject().value(QStringLiteral("code")).toInt();
}

} // namespace

class TestDapdApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initTestEnvironment();
        m_dir = std::make_unique<ScratchDir>();
    }
    void init()
    {
        QVERIFY(m_rig.start(2));
        QVERIFY(m_rig.waitOnline(2));
    }
    void cleanup() { m_rig.stop(); }

    void unitsAreListedByIdAddressAndSerial()
    {
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        const QJsonArray units =
            c.call(QStringLiteral("units.list")).value(QStringLiteral("result")).toArray();
        QCOMPARE(units.size(), 2);
        QTRY_VERIFY(m_rig.server->hub().agents().at(0)->hasRecord());
        for (const QString &name :
             {QStringLiteral("501"), QStringLiteral("127.0.0.1"), QStringLiteral("SN-1")}) {
            const QJsonObject status = c.call(QStringLiteral("unit.status"), Params{{"unit", name}})
                                           .value(QStringLiteral("result"))
                                           .toObject();
            QCOMPARE(status.value(QStringLiteral("id")).toInt(), 501);
            QCOMPARE(status.value(QStringLiteral("online")).toBool(), true);
        }
    }

    void getReadsValuesAndMeters()
    {
        writeTo(m_rig.rack[1], 3, 11, 3, QByteArray::fromHex("01") + floatBytes(-7.5f));
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        const QJsonObject r = c.call(
            QStringLiteral("get"),
            Params{{"unit", 502},
                   {"paths", QJsonArray{"output.2.gain", "input.*.mute", "meter.output.*"}}});
        QCOMPARE(resultValue(r, QStringLiteral("output.2.gain")).toDouble(), -7.5);
        const QJsonObject values =
            r.value(QStringLiteral("result")).toObject().value(QStringLiteral("values")).toObject();
        QCOMPARE(values.size(), 1 + 16 + 16);
        QVERIFY(values.value(QStringLiteral("meter.output.16")).isDouble());
        QCOMPARE(values.value(QStringLiteral("input.16.mute")).toBool(), false);
    }

    void setClampsAndAnswersWithTheValuesApplied_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QJsonValue>("applied");
        QTest::addColumn<bool>("noted");
        QTest::newRow("in range") << "output.3.gain" << QJsonValue(-12.5) << QJsonValue(-12.5)
                                  << false;
        QTest::newRow("above the range")
            << "output.3.gain" << QJsonValue(40) << QJsonValue(12) << true;
        QTest::newRow("switch") << "output.3.mute" << QJsonValue(true) << QJsonValue(true) << false;
        QTest::newRow("switch by name")
            << "output.3.mute" << QJsonValue("on") << QJsonValue(true) << false;
        QTest::newRow("text cut to the unit's field")
            << "system.location" << QJsonValue("a location far too long")
            << QJsonValue("a location far t") << true;
    }
    void setClampsAndAnswersWithTheValuesApplied()
    {
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QFETCH(QJsonValue, applied);
        QFETCH(bool, noted);
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        const QJsonObject r = c.call(QStringLiteral("set"),
                                     Params{{"unit", "SN-1"}, {"values", Params{{path, value}}}});
        QVERIFY2(!r.contains(QStringLiteral("error")), QJsonDocument(r).toJson().constData());
        QCOMPARE(resultValue(r, path), applied);
        const QJsonArray notes =
            r.value(QStringLiteral("result")).toObject().value(QStringLiteral("notes")).toArray();
        QCOMPARE(!notes.isEmpty(), noted);
        // What the answer says is what the unit holds.
        const QJsonObject back =
            c.call(QStringLiteral("get"), Params{{"unit", 501}, {"paths", QJsonArray{path}}});
        QCOMPARE(resultValue(back, path), applied);
    }

    void aSetOfOneClientReachesTheOthersSubscription()
    {
        WsClient a, b;
        QVERIFY(a.open(m_rig.url()));
        QVERIFY(b.open(m_rig.url()));
        const QJsonObject sub =
            a.call(QStringLiteral("subscribe"),
                   Params{{"unit", 501}, {"paths", QJsonArray{"output.4.gain", "output.4.mute"}}});
        QCOMPARE(resultValue(sub, QStringLiteral("output.4.gain")).toDouble(), 0.0);
        b.call(QStringLiteral("set"),
               Params{{"unit", 501}, {"values", Params{{"output.4.gain", -9}}}});
        QJsonObject n = a.notification(QStringLiteral("changed"), 2000);
        QCOMPARE(n.value(QStringLiteral("params")).toObject().value(QStringLiteral("unit")).toInt(),
                 501);
        // Only what changed.
        QCOMPARE(
            n.value(QStringLiteral("params")).toObject().value(QStringLiteral("values")).toObject(),
            (QJsonObject{{"output.4.gain", -9.0}}));

        // A change made elsewhere (the unit's own panel) comes with the next
        // poll: no more than one round after the one running when it was made.
        UnitAgent *agent = m_rig.server->hub().find(QStringLiteral("501"));
        const quint64 round = agent->pollRounds();
        writeTo(m_rig.rack[0], 3, 11, 2, QByteArray::fromHex("0301"));
        n = a.notification(QStringLiteral("changed"), 2000);
        QCOMPARE(
            n.value(QStringLiteral("params")).toObject().value(QStringLiteral("values")).toObject(),
            (QJsonObject{{"output.4.mute", true}}));
        QVERIFY(agent->pollRounds() <= round + 2 * UnitAgent::ParamPollTicks);
        // Nothing for the client that did not subscribe.
        QTest::qWait(300);
        QVERIFY(b.waitFor(
                     [](const QJsonObject &o) {
                         return o.value(QStringLiteral("method")) == QJsonValue("changed");
                     },
                     0)
                    .isEmpty());
    }

    void metersComeTenTimesASecondAtMost()
    {
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        c.call(QStringLiteral("subscribe"), Params{{"unit", 501}, {"paths", "meter.input.1"}});
        writeTo(m_rig.rack[0], 3, 1, 2, QByteArray::fromHex("0001")); // mute input 1
        const QJsonObject n = c.notification(QStringLiteral("changed"), 2000);
        QCOMPARE(
            n.value(QStringLiteral("params")).toObject().value(QStringLiteral("values")).toObject(),
            (QJsonObject{{"meter.input.1", -100}}));
        // One unit poll serves every client: two more clients add no reads.
        const quint64 before = m_rig.rack[0].requestCount();
        QTest::qWait(1000);
        const quint64 alone = m_rig.rack[0].requestCount() - before;
        QVERIFY2(alone <= 12, QByteArray::number(alone).constData());
        WsClient d, e;
        QVERIFY(d.open(m_rig.url()));
        QVERIFY(e.open(m_rig.url()));
        d.call(QStringLiteral("subscribe"), Params{{"unit", 501}, {"paths", "meter.input.*"}});
        e.call(QStringLiteral("subscribe"), Params{{"unit", 501}, {"paths", "meter.input.*"}});
        const quint64 after = m_rig.rack[0].requestCount();
        QTest::qWait(1000);
        QVERIFY(m_rig.rack[0].requestCount() - after <= 12);
    }

    void aRestartedUnitComesBackWithTheSubscriptions()
    {
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        c.call(QStringLiteral("subscribe"), Params{{"unit", 502}, {"paths", "output.1.mute"}});
        m_rig.rack[1].restart();
        QJsonObject n = c.notification(QStringLiteral("unit.offline"));
        QCOMPARE(n.value(QStringLiteral("params")).toObject().value(QStringLiteral("unit")).toInt(),
                 502);
        n = c.notification(QStringLiteral("unit.online"));
        QCOMPARE(n.value(QStringLiteral("params")).toObject().value(QStringLiteral("unit")).toInt(),
                 502);
        writeTo(m_rig.rack[1], 3, 11, 2, QByteArray::fromHex("0001"));
        n = c.notification(QStringLiteral("changed"), 3000);
        QCOMPARE(
            n.value(QStringLiteral("params")).toObject().value(QStringLiteral("values")).toObject(),
            (QJsonObject{{"output.1.mute", true}}));
        // While it is away, a request says so.
        m_rig.rack[1].powerCycle(1500);
        c.notification(QStringLiteral("unit.offline"));
        QCOMPARE(errorCode(c.call(QStringLiteral("get"),
                                  Params{{"unit", 502}, {"paths", "output.1.mute"}})),
                 int(Failure::UnitOffline));
        c.notification(QStringLiteral("unit.online"));
    }

    void badInputGetsItsErrorAndTheConnectionStays_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("path");
        const auto row = [](const char *name, const QByteArray &m, int code, const char *field = "",
                            const char *path = "") {
            QTest::newRow(name) << m << code << QString::fromLatin1(field)
                                << QString::fromLatin1(path);
        };
        const auto req = [](const QByteArray &method, const QByteArray &params) -> QByteArray {
            return "{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"" + method +
                   "\",\"params\":" + params + "}";
        };
        row("malformed JSON", "{\"jsonrpc\":\"2.0\",", Failure::ParseError);
        row("not JSON at all", "hello", Failure::ParseError);
        row("empty batch", "[]", Failure::InvalidRequest);
        row("request not an object", "[1]", Failure::InvalidRequest);
        row("wrong version", "{\"jsonrpc\":\"1.0\",\"id\":1,\"method\":\"units.list\"}",
            Failure::InvalidRequest);
        row("no method", "{\"jsonrpc\":\"2.0\",\"id\":1}", Failure::InvalidRequest);
        row("id an object", "{\"jsonrpc\":\"2.0\",\"id\":{},\"method\":\"units.list\"}",
            Failure::InvalidRequest);
        row("unknown method", req("reboot", "{}"), Failure::MethodNotFound);
        row("params a list", req("get", "[501]"), Failure::InvalidParams, "params");
        row("no unit", req("get", "{\"paths\":[\"output.1.gain\"]}"), Failure::InvalidParams,
            "unit");
        row("unit a fraction", req("get", "{\"unit\":501.5,\"paths\":[\"output.1.gain\"]}"),
            Failure::InvalidParams, "unit");
        row("unknown unit", req("get", "{\"unit\":999,\"paths\":[\"output.1.gain\"]}"),
            Failure::UnknownUnit, "unit");
        row("no paths", req("get", "{\"unit\":501}"), Failure::InvalidParams, "paths");
        row("unknown path", req("get", "{\"unit\":501,\"paths\":[\"output.1.volume\"]}"),
            Failure::InvalidParams, "paths", "output.1.volume");
        row("channel out of range",
            req("subscribe", "{\"unit\":501,\"paths\":[\"output.17.gain\"]}"),
            Failure::InvalidParams, "paths", "output.17.gain");
        row("unknown meter", req("get", "{\"unit\":501,\"paths\":[\"meter.side.1\"]}"),
            Failure::InvalidParams, "paths", "meter.side.1");
        row("values not an object", req("set", "{\"unit\":501,\"values\":[1]}"),
            Failure::InvalidParams, "values");
        row("set a meter", req("set", "{\"unit\":501,\"values\":{\"meter.input.1\":0}}"),
            Failure::InvalidParams, "values", "meter.input.1");
        row("value an object", req("set", "{\"unit\":501,\"values\":{\"output.1.gain\":{}}}"),
            Failure::InvalidParams, "values", "output.1.gain");
        row("unknown choice", req("set", "{\"unit\":501,\"values\":{\"input.1.mode\":\"loud\"}}"),
            Failure::InvalidParams, "values", "input.1.mode");
        row("not a number", req("set", "{\"unit\":501,\"values\":{\"output.1.gain\":\"high\"}}"),
            Failure::InvalidParams, "values", "output.1.gain");
        row("limits reversed",
            req("set", "{\"unit\":501,\"values\":{\"output.1.max\":-20,\"output.1.min\":0}}"),
            Failure::InvalidParams, "values");
        row("slot out of range", req("preset.recall", "{\"unit\":501,\"slot\":33}"),
            Failure::InvalidParams, "slot");
        row("empty preset", req("preset.recall", "{\"unit\":501,\"slot\":30}"),
            Failure::UnitRefused, "slot");
        row("above 1 MiB",
            req("get", "{\"unit\":501,\"paths\":[\"" +
                           QByteArray(RpcSession::MaxMessageBytes, 'x') + "\"]}"),
            Failure::InvalidRequest);
    }
    void badInputGetsItsErrorAndTheConnectionStays()
    {
        QFETCH(QByteArray, message);
        QFETCH(int, code);
        QFETCH(QString, field);
        QFETCH(QString, path);
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        c.sendText(message);
        // A batch is answered with a list, even of one error.
        QTRY_VERIFY_WITH_TIMEOUT(!c.messages.isEmpty(), 5000);
        const QJsonDocument answer = c.messages.takeFirst();
        const QJsonObject r =
            answer.isArray() ? answer.array().first().toObject() : answer.object();
        QCOMPARE(errorCode(r), code);
        const QJsonObject data =
            r.value(QStringLiteral("error")).toObject().value(QStringLiteral("data")).toObject();
        QCOMPARE(data.value(QStringLiteral("field")).toString(), field);
        QCOMPARE(data.value(QStringLiteral("path")).toString(), path);
        QVERIFY(!r.value(QStringLiteral("error"))
                     .toObject()
                     .value(QStringLiteral("message"))
                     .toString()
                     .isEmpty());
        // The connection stays and works.
        QCOMPARE(
            c.call(QStringLiteral("units.list")).value(QStringLiteral("result")).toArray().size(),
            2);
        QCOMPARE(c.socket.state(), QAbstractSocket::ConnectedState);
    }

    void aBatchIsAnsweredInOneMessageInOrder()
    {
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        c.sendText(
            R"([{"jsonrpc":"2.0","id":"a","method":"get","params":{"unit":501,"paths":["output.1.gain"]}},
                       {"jsonrpc":"2.0","method":"units.list"},
                       {"jsonrpc":"2.0","id":"b","method":"nothing"},
                       {"jsonrpc":"2.0","id":"c","method":"get","params":{"unit":502,"paths":["output.1.gain"]}}])");
        QTRY_VERIFY_WITH_TIMEOUT(!c.messages.isEmpty(), 5000);
        const QJsonArray answers = c.messages.takeFirst().array();
        QCOMPARE(answers.size(), 3); // the notification is not answered
        QCOMPARE(answers[0].toObject().value(QStringLiteral("id")).toString(), QStringLiteral("a"));
        QCOMPARE(errorCode(answers[1].toObject()), int(Failure::MethodNotFound));
        QCOMPARE(answers[2].toObject().value(QStringLiteral("id")).toString(), QStringLiteral("c"));
        QVERIFY(answers[2].toObject().contains(QStringLiteral("result")));
    }

    void presetsAreSavedListedAndRecalled()
    {
        WsClient c;
        QVERIFY(c.open(m_rig.url()));
        c.call(QStringLiteral("set"),
               Params{{"unit", 501}, {"values", Params{{"output.5.gain", -20}}}});
        QJsonObject r = c.call(QStringLiteral("preset.save"), Params{{"unit", 501}, {"slot", 3}});
        QCOMPARE(r.value(QStringLiteral("result")).toObject().value(QStringLiteral("slot")).toInt(),
                 3);
        r = c.call(QStringLiteral("preset.list"), Params{{"unit", 501}});
        const QJsonArray presets =
            r.value(QStringLiteral("result")).toObject().value(QStringLiteral("presets")).toArray();
        QCOMPARE(presets.size(), 32);
        QVERIFY(presets[2].toObject().value(QStringLiteral("exists")).toBool());
        c.call(QStringLiteral("set"),
               Params{{"unit", 501}, {"values", Params{{"output.5.gain", 0}}}});
        r = c.call(QStringLiteral("preset.recall"), Params{{"unit", 501}, {"slot", 3}}, 15000);
        QVERIFY2(r.contains(QStringLiteral("result")), QJsonDocument(r).toJson().constData());
        r = c.call(QStringLiteral("get"), Params{{"unit", 501}, {"paths", "output.5.gain"}});
        QCOMPARE(resultValue(r, QStringLiteral("output.5.gain")).toDouble(), -20.0);
    }

    void aClientThatLeavesReleasesItsSubscriptions()
    {
        UnitAgent *agent = m_rig.server->hub().find(QStringLiteral("501"));
        {
            WsClient c;
            QVERIFY(c.open(m_rig.url()));
            c.call(QStringLiteral("subscribe"), Params{{"unit", 501}, {"paths", "output.*.gain"}});
            QCOMPARE(agent->subscribedCount(), 16);
            c.call(QStringLiteral("unsubscribe"),
                   Params{{"unit", 501}, {"paths", "output.1.gain"}});
            QCOMPARE(agent->subscribedCount(), 15);
        }
        QTRY_COMPARE(agent->subscribedCount(), 0);
    }

private:
    static QByteArray floatBytes(float f)
    {
        QByteArray b(4, 0);
        memcpy(b.data(), &f, 4);
        return b;
    }

    std::unique_ptr<ScratchDir> m_dir;
    DapdRig m_rig;
};

QTEST_MAIN(TestDapdApi)
#include "tst_dapdapi.moc"
