// The channel label page: reading the unit's tables, writing edits.

#include "pages/levels/qdevlabel.h"
#include "protocol/localtext.h"
#include "tests/support/loopbackpeer.h"
#include "tests/support/pagetest.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {
QByteArray table(int width, const QList<QByteArray> &names)
{
    QByteArray out(16 * width, '\0');
    for (int c = 0; c < names.size(); ++c)
        out.replace(c * width, names[c].size(), names[c]);
    return out;
}
} // namespace

class TestDevLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTestEnvironment(); }

    void readsFieldsCutAtNulOrWidth()
    {
        QDevLabel page;
        QSignalSpy inputs(&page, &QDevLabel::inputLabel);
        page.receive(QDevLabel::Inputs, 0x80, 256, table(16, {"ABCDEFGHIJKLMNOP", "Lapel"}));
        QCOMPARE(page.label(QDevLabel::Inputs, 0), QStringLiteral("ABCDEFGHIJKLMNOP"));
        QCOMPARE(page.label(QDevLabel::Inputs, 1), QStringLiteral("Lapel"));
        QCOMPARE(page.field(QDevLabel::Inputs, 1)->text(), QStringLiteral("Lapel"));
        QCOMPARE(inputs.size(), 2); // only the names that changed
        page.receive(QDevLabel::Inputs, 0x80, 256, table(16, {"ABCDEFGHIJKLMNOP", "Lapel"}));
        QCOMPARE(inputs.size(), 2);

        QSignalSpy panel(&page, &QDevLabel::panelLabel);
        page.receive(QDevLabel::Panel, 0x80, 256, QByteArray(256, 'x')); // wrong length
        QCOMPARE(panel.size(), 0);
        page.receive(QDevLabel::Panel, 0x80, 160, table(10, {"0123456789"}));
        QCOMPARE(page.label(QDevLabel::Panel, 0), QStringLiteral("0123456789"));
        page.receive(QDevLabel::Outputs, 0x82, 256, table(16, {"x"}));
        QCOMPARE(page.label(QDevLabel::Outputs, 0), QString());
    }

    void decodesTheLocalCodec()
    {
        QDevLabel page;
        const QByteArray name = LocalText::encode(QStringLiteral("讲台"));
        QCOMPARE(name.size(), 4);
        page.receive(QDevLabel::Outputs, 0x80, 256, table(16, {name}));
        QCOMPARE(page.label(QDevLabel::Outputs, 0), QStringLiteral("讲台"));
    }

    void editSendsNameEvenWhenUnchanged()
    {
        LoopbackPeer peer;
        QDevLabel page;
        QSignalSpy outputs(&page, &QDevLabel::outputLabel);
        QLineEdit *field = page.field(QDevLabel::Outputs, 2);
        typeText(field, QStringLiteral("Foyer"));
        QVERIFY(peer.waitForFrames(1));
        const Proto::Frame &f = peer.frames().at(0);
        QCOMPARE(int(f.op), 2);
        QCOMPARE(int(f.module), 3);
        QCOMPARE(int(f.cmd), 2);
        QCOMPARE(int(f.flag), 1);
        QCOMPARE(int(f.length), 6);
        QCOMPARE(f.payload, QByteArray("\x02"
                                       "Foyer"));
        QCOMPARE(outputs.size(), 1);
        emit field->editingFinished();
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(outputs.size(), 1);
    }

    void longNameIsCutToTheUnitsField()
    {
        LoopbackPeer peer;
        QDevLabel page;
        QLineEdit *field = page.field(QDevLabel::Inputs, 0);
        const QString sixteen = QString(16, QChar(0x8BB2)); // two bytes each in GB2312
        typeText(field, sixteen);
        QVERIFY(peer.waitForFrames(1));
        QCOMPARE(peer.frames().at(0).payload.size(), 1 + 16);
        QCOMPARE(field->text(), QString(8, QChar(0x8BB2)));
        QCOMPARE(page.label(QDevLabel::Inputs, 0), QString(8, QChar(0x8BB2)));

        QLineEdit *panel = page.field(QDevLabel::Panel, 1);
        typeText(panel, QStringLiteral("A") + QString(9, QChar(0x8BB2)));
        QVERIFY(peer.waitForFrames(2));
        QCOMPARE(peer.frames().at(1).payload.size(), 1 + 9); // 'A' and four whole characters
    }
};

QTEST_MAIN(TestDevLabel)
#include "tst_devlabel.moc"
