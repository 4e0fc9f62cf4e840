// Keyboard, wheel modifiers, focus ring and what assistive technology is
// told for the knob, the fader and the meters.

#include "tests/widgets/widgettest.h"
#include "widgets/knob.h"
#include "widgets/meterbank.h"
#include "widgets/meterwidget.h"
#include "widgets/qfader.h"
#include "widgets/qmeter.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
void wheel(QWidget *widget, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPointF pos = widget->rect().center();
    QWheelEvent event(pos, widget->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Number of pixels of `colour` in the image.
int countColour(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                ++n;
    return n;
}

// A widget of each kind, range -20..20, step 0.5, at 2.
QWidget *makeControl(const QString &kind)
{
    if (kind == QLatin1String("knob")) {
        auto *knob = new Knob;
        knob->setRange(-20, 20);
        knob->setStep(0.5f);
        knob->setValue(2);
        return knob;
    }
    auto *fader = new QFader;
    fader->setDecimals(1);
    fader->setRange(-20, 20);
    fader->setStep(0.5f);
    fader->setValue(2);
    fader->setFixedSize(55, 172);
    return fader;
}

std::unique_ptr<QSignalSpy> spyOn(QWidget *w)
{
    if (auto *knob = qobject_cast<Knob *>(w))
        return std::make_unique<QSignalSpy>(knob, &Knob::valueChanged);
    return std::make_unique<QSignalSpy>(static_cast<QFader *>(w), &QFader::valueChanged);
}

float valueOf(QWidget *w)
{
    if (auto *knob = qobject_cast<Knob *>(w))
        return knob->value();
    return static_cast<QFader *>(w)->value();
}
} // namespace

class TestControlAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QAccessible::setActive(true);
    }

    void keysAndWheel_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<float>("expected");

        for (const char *kind : {"knob", "fader"}) {
            const QString k = QString::fromLatin1(kind);
            const auto row = [&](const char *name) -> QTestData & {
                return QTest::newRow(qPrintable(k + QLatin1Char(' ') + QLatin1String(name))) << k;
            };
            row("up") << int(Qt::Key_Up) << 0 << 0 << 2.5f;
            row("left") << int(Qt::Key_Left) << 0 << 0 << 1.5f;
            row("page up") << int(Qt::Key_PageUp) << 0 << 0 << 7.f;
            row("page down") << int(Qt::Key_PageDown) << 0 << 0 << -3.f;
            row("home") << int(Qt::Key_Home) << 0 << 0 << -20.f;
            row("end") << int(Qt::Key_End) << 0 << 0 << 20.f;
            row("wheel notch") << 0 << 120 << 0 << 2.5f;
            row("shift wheel: ten steps") << 0 << 120 << int(Qt::ShiftModifier) << 7.f;
            row("shift wheel down") << 0 << -120 << int(Qt::ShiftModifier) << -3.f;
            row("ctrl wheel: partial notch counts") << 0 << 30 << int(Qt::ControlModifier) << 2.5f;
            row("ctrl wheel down") << 0 << -30 << int(Qt::ControlModifier) << 1.5f;
        }
    }

    // Every way of changing the value emits valueChanged once, as a drag does:
    // the pages' deferred send sees a key like a movement.
    void keysAndWheel()
    {
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(int, delta);
        QFETCH(int, modifiers);
        QFETCH(float, expected);

        QScopedPointer<QWidget> w(makeControl(kind));
        QCOMPARE(w->focusPolicy(), Qt::StrongFocus);
        const auto spy = spyOn(w.data());
        if (key)
            QTest::keyClick(w.data(), Qt::Key(key));
        else
            wheel(w.data(), delta, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(valueOf(w.data()), expected);
        QCOMPARE(spy->count(), 1);
        QCOMPARE(spy->at(0).at(0).toFloat(), expected);
    }

    void focusRingShowsOnlyWithFocus_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("knob") << QStringLiteral("knob");
        QTest::newRow("fader") << QStringLiteral("fader");
    }

    void focusRingShowsOnlyWithFocus()
    {
        QFETCH(QString, kind);
        QWidget window;
        QWidget *control = makeControl(kind);
        control->setParent(&window);
        auto *other = new QFader(&window);
        other->move(100, 0);
        window.resize(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QColor ring = control->palette().color(QPalette::Highlight);
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        const int without = countColour(control->grab().toImage(), ring);
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        QVERIFY2(countColour(control->grab().toImage(), ring) > without + 40,
                 "no ring in the highlight colour");
    }

    void valueInterface_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("value");
        QTest::newRow("knob") << QStringLiteral("knob") << int(QAccessible::Dial)
                              << QStringLiteral("+2.0 dB");
        QTest::newRow("fader") << QStringLiteral("fader") << int(QAccessible::Slider)
                               << QStringLiteral("2.0 dB");
    }

    // Name, role, value with unit, range and step; setting the value works
    // as the keys do.
    void valueInterface()
    {
        QFETCH(QString, kind);
        QFETCH(int, role);
        QFETCH(QString, value);

        QScopedPointer<QWidget> w(makeControl(kind));
        if (auto *knob = qobject_cast<Knob *>(w.data()))
            knob->setValueText(1.0f,
                               [](float v) { return QString::asprintf("%+.1f dB", double(v)); });
        w->setAccessibleName(QStringLiteral("IN 3 Handheld 2, gain"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w.data());
        QVERIFY(iface);
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("IN 3 Handheld 2, gain"));
        QCOMPARE(iface->text(QAccessible::Value), value);
        QVERIFY(iface->state().focusable);
        QAccessibleValueInterface *v = iface->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->minimumValue().toDouble(), -20.0);
        QCOMPARE(v->maximumValue().toDouble(), 20.0);
        QCOMPARE(v->minimumStepSize().toDouble(), 0.5);
        QCOMPARE(v->currentValue().toDouble(), 2.0);
        const auto spy = spyOn(w.data());
        v->setCurrentValue(30.0); // clamped, as a key would be
        QCOMPARE(valueOf(w.data()), 20.f);
        QCOMPARE(spy->count(), 1);
        v->setCurrentValue(20.0); // no change, no signal
        QCOMPARE(spy->count(), 1);
    }

    void knobScaledValue()
    {
        // A knob that holds tenths of a dB tells dB.
        Knob knob;
        knob.setRange(-600, 200);
        knob.setValue(-125);
        knob.setValueText(10.0f, [](float v) -> QString {
            return QString::number(double(v) / 10.0) + QStringLiteral(" dB");
        });
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&knob);
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("-12.5 dB"));
        QCOMPARE(iface->valueInterface()->currentValue().toDouble(), -12.5);
        QCOMPARE(iface->valueInterface()->minimumValue().toDouble(), -60.0);
        iface->valueInterface()->setCurrentValue(3.0);
        QCOMPARE(knob.value(), 30.f);
    }

    void meters()
    {
        QMeter meter;
        meter.setRange(-40, 24);
        meter.setValue(-12);
        meter.setAccessibleName(QStringLiteral("IN 3, Input Pre Fader"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&meter);
        QCOMPARE(iface->role(), QAccessible::ProgressBar);
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("-12 dB"));
        QVERIFY(iface->state().readOnly);
        QCOMPARE(iface->valueInterface()->maximumValue().toInt(), 24);

        MeterBank bank(16, QStringLiteral("I%1"));
        bank.setChannelNameFormat(QStringLiteral("IN %1"));
        bank.resize(400, 160);
        bank.setLevel(2, -7);
        QAccessibleInterface *b = QAccessible::queryAccessibleInterface(&bank);
        QCOMPARE(b->childCount(), 16);
        QAccessibleInterface *bar = b->child(2);
        QVERIFY(bar);
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("IN 3, level"));
        QCOMPARE(bar->text(QAccessible::Value), QStringLiteral("-7 dB"));
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), -7);
        QCOMPARE(bar->parent(), b);
        QCOMPARE(b->indexOfChild(bar), 2);
        QCOMPARE(b->child(2), bar); // the same part each time

        MeterWidget panel;
        QCOMPARE(panel.meter(MeterWidget::OutputPostFader, 4)->accessibleName(),
                 QStringLiteral("OUT 5, Output Post Fader"));
    }
};

QTEST_MAIN(TestControlAccess)
#include "tst_controlaccess.moc"
