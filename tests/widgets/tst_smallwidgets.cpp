// The small shared widgets: the clickable style-sheet panel, the double-click
// label, the eliding label for channel names and the combo box that makes its
// popup list on first use.

#include "tests/widgets/widgettest.h"
#include "widgets/bgwidget.h"
#include "widgets/elidedlabel.h"
#include "widgets/lazycombobox.h"
#include "widgets/qdoublelabel.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>

class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void bgWidget_data()
    {
        QTest::addColumn<bool>("clickable");
        QTest::newRow("clickable") << true;
        QTest::newRow("not clickable") << false;
    }

    void bgWidget()
    {
        QFETCH(bool, clickable);

        BgWidget panel;
        panel.setObjectName(QStringLiteral("inBgWidget"));
        panel.setStyleSheet(QStringLiteral("#inBgWidget { background-color: rgb(12, 34, 56); }"));
        panel.resize(40, 30);
        panel.setClickable(clickable);
        QSignalSpy clicks(&panel, &BgWidget::clicked);
        QSignalSpy doubleClicks(&panel, &BgWidget::doubleClicked);
        QTest::mouseClick(&panel, Qt::LeftButton);
        QTest::mouseDClick(&panel, Qt::LeftButton);
        QCOMPARE(clicks.count(), clickable ? 1 : 0);
        QCOMPARE(doubleClicks.count(), clickable ? 1 : 0);
        QCOMPARE(panel.grab().toImage().pixelColor(20, 15), QColor(12, 34, 56));
    }

    void doubleLabel()
    {
        QDoubleLabel label(QStringLiteral("-40"));
        QSignalSpy spy(&label, &QDoubleLabel::DoubleClick);
        QTest::mouseClick(&label, Qt::LeftButton);
        QTest::mouseDClick(&label, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }

    void elidedLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("elided");
        QTest::newRow("short name") << QStringLiteral("Ch 1") << false;
        QTest::newRow("long name") << QStringLiteral("Lectern microphone left side") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("chinese") << QStringLiteral("讲台左侧无线话筒二号") << true;
    }

    // A long name keeps its beginning and its end, with the ellipsis between.
    void elidedLabel()
    {
        QFETCH(QString, text);
        QFETCH(bool, elided);

        ElidedLabel label;
        label.setFixedSize(70, 20);
        label.setText(text);
        QCOMPARE(label.text(), text);
        QCOMPARE(label.toolTip(), text);
        const QString shown = label.elidedText();
        QCOMPARE(shown != text, elided);
        QVERIFY(label.fontMetrics().horizontalAdvance(shown) <= 70);
        if (elided) {
            const int cut = shown.indexOf(QChar(0x2026));
            QVERIFY2(cut > 0 && cut < shown.size() - 1, qPrintable(shown));
            QVERIFY(text.startsWith(shown.left(cut)));
            QVERIFY(text.endsWith(shown.mid(cut + 1)));
        }
        QVERIFY(label.minimumSizeHint().width() <= 50); // long names do not widen layouts
    }

    // Two names that differ only at their end stay apart when both are cut.
    void elidedNamesStayApart()
    {
        ElidedLabel one(QStringLiteral("Handheld microphone 1"));
        ElidedLabel two(QStringLiteral("Handheld microphone 2"));
        for (ElidedLabel *l : {&one, &two})
            l->setFixedSize(80, 20);
        QVERIFY(one.elidedText() != one.text());
        QVERIFY(one.elidedText() != two.elidedText());
        one.setElideMode(Qt::ElideRight);
        two.setElideMode(Qt::ElideRight);
        QCOMPARE(one.elidedText(), two.elidedText());
    }

    // The box is built with its font and without its list; the list, made when
    // it first opens, shows the box's font, and later font changes reach it.
    void lazyComboBox()
    {
        QWidget window;
        QFont small = window.font();
        small.setPointSize(7);
        auto *box = new LazyComboBox(small, &window);
        const QStringList items{QStringLiteral("Mic"), QStringLiteral("Line")};
        box->addItems(items);
        QCOMPARE(box->font(), small);
        QVERIFY(box->findChildren<QAbstractItemView *>().isEmpty());
        QComboBox plain(&window);
        plain.addItems(items);
        plain.setFont(small);
        QCOMPARE(box->sizeHint(), plain.sizeHint());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->showPopup();
        QTRY_VERIFY(box->view()->isVisible());
        QCOMPARE(box->view()->font(), small);
        box->hidePopup();

        QFont large = small;
        large.setPointSize(12);
        box->setFont(large);
        QCOMPARE(box->view()->font(), large);
        QCOMPARE(box->currentText(), QStringLiteral("Mic"));
    }
};

QTEST_MAIN(TestSmallWidgets)
#include "tst_smallwidgets.moc"
