#include "widgets/accessibility.h"

#include "widgets/knob.h"
#include "widgets/meterbank.h"
#include "widgets/qfader.h"
#include "widgets/qmeter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QWidget>

namespace {

QString decibels(int value)
{
    return QStringLiteral("%1 dB").arg(value);
}

class KnobAccessible final : public ValueWidgetAccessible
{
public:
    explicit KnobAccessible(Knob *knob) : ValueWidgetAccessible(knob, QAccessible::Dial) {}

    QVariant currentValue() const override { return double(knob()->value() / scale()); }
    void setCurrentValue(const QVariant &value) override
    {
        knob()->setValueByOperator(float(value.toDouble()) * scale());
    }
    QVariant maximumValue() const override { return double(knob()->maximum() / scale()); }
    QVariant minimumValue() const override { return double(knob()->minimum() / scale()); }
    QVariant minimumStepSize() const override { return double(knob()->step() / scale()); }

protected:
    QString valueText() const override { return knob()->valueText(); }

private:
    Knob *knob() const { return static_cast<Knob *>(widget()); }
    float scale() const { return knob()->valueScale(); }
};

class FaderAccessible final : public ValueWidgetAccessible
{
public:
    explicit FaderAccessible(QFader *fader) : ValueWidgetAccessible(fader, QAccessible::Slider) {}

    QVariant currentValue() const override { return double(fader()->value()); }
    void setCurrentValue(const QVariant &value) override
    {
        fader()->setValueByOperator(float(value.toDouble()));
    }
    QVariant maximumValue() const override { return double(fader()->maximum()); }
    QVariant minimumValue() const override { return double(fader()->minimum()); }
    QVariant minimumStepSize() const override { return double(fader()->step()); }

protected:
    QString valueText() const override { return fader()->valueText(); }

private:
    QFader *fader() const { return static_cast<QFader *>(widget()); }
};

// A meter shows a level; nobody sets it.
class MeterAccessible final : public ValueWidgetAccessible
{
public:
    explicit MeterAccessible(QMeter *meter) : ValueWidgetAccessible(meter, QAccessible::ProgressBar)
    {
    }

    QVariant currentValue() const override { return meter()->value(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return meter()->maximum(); }
    QVariant minimumValue() const override { return meter()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }
    QAccessible::State state() const override
    {
        QAccessible::State s = ValueWidgetAccessible::state();
        s.readOnly = true;
        return s;
    }

protected:
    QString valueText() const override { return decibels(meter()->value()); }

private:
    QMeter *meter() const { return static_cast<QMeter *>(widget()); }
};

// One bar of a meter bank.
class MeterBankBarAccessible final : public WidgetPartAccessible, public QAccessibleValueInterface
{
public:
    MeterBankBarAccessible(MeterBank *bank, int channel) : WidgetPartAccessible(bank, channel) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this)
                                                   : nullptr;
    }
    QAccessible::Role role() const override { return QAccessible::ProgressBar; }
    QAccessible::State state() const override
    {
        QAccessible::State s = WidgetPartAccessible::state();
        s.readOnly = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (!bank())
            return {};
        if (t == QAccessible::Name)
            return bank()->channelName(index()) +
                   QCoreApplication::translate("Accessibility", ", level");
        if (t == QAccessible::Value)
            return bank()->numberText(index()) + QStringLiteral(" dB");
        return {};
    }
    QVariant currentValue() const override { return bank() ? bank()->barValue(index()) : 0; }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return bank() ? bank()->maximum() : 0; }
    QVariant minimumValue() const override { return bank() ? bank()->minimum() : 0; }
    QVariant minimumStepSize() const override { return 1; }

protected:
    QRect partRect() const override { return bank() ? bank()->barRect(index()) : QRect(); }

private:
    MeterBank *bank() const { return static_cast<MeterBank *>(owner()); }
};

class MeterBankAccessible final : public QAccessibleWidget
{
public:
    explicit MeterBankAccessible(MeterBank *bank)
        : QAccessibleWidget(bank, QAccessible::Grouping),
          m_parts([bank](int channel) { return new MeterBankBarAccessible(bank, channel); })
    {
    }

    int childCount() const override { return bank()->channels(); }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < childCount() ? m_parts.part(index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return m_parts.indexOf(child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint p = bank()->mapFromGlobal(QPoint(x, y));
        for (int c = 0; c < childCount(); ++c)
            if (bank()->barRect(c).contains(p))
                return child(c);
        return nullptr;
    }

private:
    MeterBank *bank() const { return static_cast<MeterBank *>(widget()); }
    mutable PartCache m_parts;
};

QAccessibleInterface *widgetFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("Knob"))
        return new KnobAccessible(static_cast<Knob *>(object));
    if (className == QLatin1String("QFader"))
        return new FaderAccessible(static_cast<QFader *>(object));
    if (className == QLatin1String("QMeter"))
        return new MeterAccessible(static_cast<QMeter *>(object));
    if (className == QLatin1String("MeterBank"))
        return new MeterBankAccessible(static_cast<MeterBank *>(object));
    return nullptr;
}

} // namespace

void initWidgetAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(widgetFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

void notifyAccessibleValue(QObject *object, double value)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(object, value);
    QAccessible::updateAccessibility(&event);
}

void drawFocusRing(QPainter &painter, const QRectF &rect, const QPalette &palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1.0);
    painter.setPen(QPen(palette.color(QPalette::Highlight), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect, 3.0, 3.0);
    painter.restore();
}

// ---- ValueWidgetAccessible ------------------------------------------------

ValueWidgetAccessible::ValueWidgetAccessible(QWidget *widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

void *ValueWidgetAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString ValueWidgetAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return valueText();
    return QAccessibleWidget::text(t);
}

// ---- WidgetPartAccessible -------------------------------------------------

WidgetPartAccessible::WidgetPartAccessible(QWidget *owner, int index)
    : m_owner(owner), m_index(index)
{
}

bool WidgetPartAccessible::isValid() const
{
    return !m_owner.isNull();
}

QWindow *WidgetPartAccessible::window() const
{
    QAccessibleInterface *p = parent();
    return p ? p->window() : nullptr;
}

QVector<QPair<QAccessibleInterface *, QAccessible::Relation>>
WidgetPartAccessible::relations(QAccessible::Relation) const
{
    return {};
}

QAccessibleInterface *WidgetPartAccessible::parent() const
{
    return m_owner ? QAccessible::queryAccessibleInterface(m_owner.data()) : nullptr;
}

QRect WidgetPartAccessible::rect() const
{
    if (!m_owner)
        return {};
    const QRect r = partRect();
    return QRect(m_owner->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State WidgetPartAccessible::state() const
{
    QAccessible::State s;
    if (!m_owner) {
        s.invalid = true;
        return s;
    }
    s.invisible = !m_owner->isVisible();
    s.disabled = !m_owner->isEnabled();
    return s;
}

// ---- PartCache --------------------------------------------------------------

PartCache::~PartCache()
{
    for (QAccessible::Id id : qAsConst(m_ids))
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *PartCache::part(int index)
{
    if (index < 0)
        return nullptr;
    if (index >= m_ids.size())
        m_ids.resize(index + 1);
    QAccessible::Id &id = m_ids[index];
    if (id == 0) {
        QAccessibleInterface *made = m_make(index);
        if (!made)
            return nullptr;
        id = QAccessible::registerAccessibleInterface(made);
    }
    return QAccessible::accessibleInterface(id);
}

int PartCache::indexOf(const QAccessibleInterface *part) const
{
    for (int i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] != 0 && QAccessible::accessibleInterface(m_ids[i]) == part)
            return i;
    return -1;
}
