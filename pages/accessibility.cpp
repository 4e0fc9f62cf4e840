#include "pages/accessibility.h"

#include "pages/dynamics/gatelamp.h"
#include "pages/dynamics/qagcgraph.h"
#include "pages/dynamics/qtlimitctrl.h"
#include "pages/filters/filtergraph.h"
#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmixbutton2.h"
#include "widgets/accessibility.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>

namespace {

// The widget's accessible name, or `fallback` where its owner gave none.
QString nameOr(const QWidget *widget, const QString &fallback)
{
    return widget->accessibleName().isEmpty() ? fallback : widget->accessibleName();
}

QString db(double value)
{
    return QStringLiteral("%1 dB").arg(value, 0, 'f', 1);
}

// ---- matrix -------------------------------------------------------------

CrosspointGrid *gridOf(const QWidget *button)
{
    for (QWidget *w = button->parentWidget(); w; w = w->parentWidget())
        if (auto *grid = qobject_cast<CrosspointGrid *>(w))
            return grid;
    return nullptr;
}

// A crosspoint: a check box (routed or not) named by its input and output,
// selected when the grid's selection holds it; pressing it is a click.
class CrosspointAccessible final : public QAccessibleWidget
{
public:
    explicit CrosspointAccessible(QMixButton *button)
        : QAccessibleWidget(button, QAccessible::CheckBox)
    {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QString text(QAccessible::Text t) const override
    {
        const CrosspointGrid *grid = gridOf(button());
        if (t == QAccessible::Name) {
            if (!grid)
                return button()->toolTip();
            return QCoreApplication::translate("Accessibility", "%1 to %2")
                .arg(grid->inputLabel(button()->input()), grid->outputLabel(button()->output()));
        }
        if (t == QAccessible::Value) {
            QString value = button()->isOn() ? QCoreApplication::translate("Accessibility", "on")
                                             : QCoreApplication::translate("Accessibility", "off");
            if (auto *withGain = qobject_cast<QMixButton2 *>(button()))
                value += QStringLiteral(", %1 dB").arg(withGain->gain());
            return value;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const CrosspointGrid *grid = gridOf(button());
        s.checkable = true;
        s.checked = button()->isOn();
        s.selectable = true;
        s.selected = button()->isSelected();
        s.focusable = grid != nullptr;
        s.focused = grid && grid->hasFocus() && grid->cursorInput() == button()->input() &&
                    grid->cursorOutput() == button()->output();
        return s;
    }

    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction() || action == toggleAction())
            button()->press();
    }

private:
    QMixButton *button() const { return static_cast<QMixButton *>(widget()); }
};

class CrosspointGridAccessible final : public QAccessibleWidget
{
public:
    explicit CrosspointGridAccessible(CrosspointGrid *grid)
        : QAccessibleWidget(grid, QAccessible::Table)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            const CrosspointGrid *g = grid();
            return QCoreApplication::translate("Accessibility", "%1 to %2")
                .arg(g->inputLabel(g->cursorInput()), g->outputLabel(g->cursorOutput()));
        }
        return QAccessibleWidget::text(t);
    }

    QAccessibleInterface *focusChild() const override
    {
        if (!grid()->hasFocus())
            return nullptr;
        return QAccessible::queryAccessibleInterface(
            grid()->button(grid()->cursorInput(), grid()->cursorOutput()));
    }

private:
    CrosspointGrid *grid() const { return static_cast<CrosspointGrid *>(widget()); }
};

// ---- dynamics -----------------------------------------------------------

// The gate lamp only shows the unit's state.
class GateLampAccessible final : public QAccessibleWidget
{
public:
    explicit GateLampAccessible(GateLamp *lamp) : QAccessibleWidget(lamp, QAccessible::Indicator) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return nameOr(widget(), QCoreApplication::translate("Accessibility", "Gate"));
        if (t == QAccessible::Value)
            return lamp()->isOpen() ? QCoreApplication::translate("Accessibility", "open")
                                    : QCoreApplication::translate("Accessibility", "closed");
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.focusable = false;
        return s;
    }

private:
    GateLamp *lamp() const { return static_cast<GateLamp *>(widget()); }
};

class LimitChartAccessible final : public QAccessibleWidget
{
public:
    explicit LimitChartAccessible(qtLimitCtrl *chart) : QAccessibleWidget(chart, QAccessible::Chart)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return nameOr(widget(),
                          QCoreApplication::translate("Accessibility", "Limiter transfer chart"));
        if (t == QAccessible::Value) {
            if (chart()->isBypassed())
                return QCoreApplication::translate("Accessibility",
                                                   "bypassed: output follows input");
            return QCoreApplication::translate("Accessibility", "threshold %1, ratio %2:1")
                .arg(db(chart()->threshold()))
                .arg(chart()->ratio(), 0, 'g', 3);
        }
        return QAccessibleWidget::text(t);
    }

private:
    qtLimitCtrl *chart() const { return static_cast<qtLimitCtrl *>(widget()); }
};

class AgcGraphAccessible final : public QAccessibleWidget
{
public:
    explicit AgcGraphAccessible(QAGCGraph *graph) : QAccessibleWidget(graph, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return nameOr(widget(), QCoreApplication::translate("Accessibility",
                                                                "Automatic gain control graph"));
        if (t == QAccessible::Value) {
            if (graph()->isBypassed())
                return QCoreApplication::translate("Accessibility",
                                                   "bypassed: output follows input");
            return QCoreApplication::translate("Accessibility",
                                               "threshold %1, target %2, ratio %3:1")
                .arg(db(double(graph()->threshold())), db(double(graph()->target())))
                .arg(double(graph()->ratio()), 0, 'g', 3);
        }
        return QAccessibleWidget::text(t);
    }

private:
    QAGCGraph *graph() const { return static_cast<QAGCGraph *>(widget()); }
};

// ---- filter graph -------------------------------------------------------

QString graphName(const FilterGraph *graph)
{
    return nameOr(graph, QCoreApplication::translate("Accessibility", "Filter response"));
}

// One handle of the filter graph. Its value is what the arrow keys Up and
// Down move: the gain of a band, the frequency of H and L; the value text
// has all of the handle's values.
class FilterHandleAccessible final : public WidgetPartAccessible, public QAccessibleValueInterface
{
public:
    FilterHandleAccessible(FilterGraph *graph, int index) : WidgetPartAccessible(graph, index) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this)
                                                   : nullptr;
    }
    QAccessible::Role role() const override { return QAccessible::Slider; }
    QString text(QAccessible::Text t) const override
    {
        if (!graph())
            return {};
        if (t == QAccessible::Name)
            return graphName(graph()) + QStringLiteral(", ") + FilterGraph::handleName(index());
        if (t == QAccessible::Value)
            return graph()->handleValueText(index());
        return {};
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = WidgetPartAccessible::state();
        if (!graph())
            return s;
        s.focusable = true;
        s.selectable = true;
        s.selected = graph()->currentHandle() == index();
        s.focused = s.selected && graph()->hasFocus();
        return s;
    }

    QVariant currentValue() const override
    {
        if (!graph())
            return 0.0;
        const FilterResponse &r = graph()->response();
        if (isBand())
            return double(r.band(index()).gain);
        return double(r.cut(cut()).frequency);
    }
    void setCurrentValue(const QVariant &value) override
    {
        if (!graph())
            return;
        const FilterResponse &r = graph()->response();
        if (isBand())
            graph()->moveHandleByOperator(index(), double(r.band(index()).frequency),
                                          float(value.toDouble()));
        else
            graph()->moveHandleByOperator(index(), value.toDouble(), 0.0f);
    }
    QVariant maximumValue() const override
    {
        return isBand() ? double(graph() ? graph()->gainTop() : 0)
                        : double(FilterTables::MaxFrequency);
    }
    QVariant minimumValue() const override
    {
        return isBand() ? double(graph() ? graph()->gainBottom() : 0)
                        : double(FilterTables::MinFrequency);
    }
    QVariant minimumStepSize() const override { return isBand() ? 0.5 : 1.0; }

protected:
    QRect partRect() const override
    {
        return graph() ? graph()->handleRect(index()).toAlignedRect() : QRect();
    }

private:
    FilterGraph *graph() const { return static_cast<FilterGraph *>(owner()); }
    bool isBand() const { return index() < FilterResponse::MaxBands; }
    FilterResponse::Cut cut() const
    {
        return index() == FilterGraph::HighPassHandle ? FilterResponse::HighPass
                                                      : FilterResponse::LowPass;
    }
};

class FilterGraphAccessible final : public QAccessibleWidget
{
public:
    explicit FilterGraphAccessible(FilterGraph *graph)
        : QAccessibleWidget(graph, QAccessible::Chart),
          m_parts([graph](int index) { return new FilterHandleAccessible(graph, index); })
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return graphName(graph());
        if (t == QAccessible::Value) {
            const int current = graph()->currentHandle();
            if (current == FilterGraph::NoHandle)
                return QCoreApplication::translate("Accessibility", "no handle selected");
            return FilterGraph::handleName(current) + QStringLiteral(": ") +
                   graph()->handleValueText(current);
        }
        return QAccessibleWidget::text(t);
    }

    // The children are the shown handles in the order Tab visits them.
    int childCount() const override { return graph()->handleOrder().size(); }
    QAccessibleInterface *child(int index) const override
    {
        const QVector<int> order = graph()->handleOrder();
        return index >= 0 && index < order.size() ? m_parts.part(order.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return graph()->handleOrder().indexOf(m_parts.indexOf(child));
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint p = graph()->mapFromGlobal(QPoint(x, y));
        for (int handle : graph()->handleOrder())
            if (graph()->handleRect(handle).contains(p))
                return m_parts.part(handle);
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        if (!graph()->hasFocus() || graph()->currentHandle() == FilterGraph::NoHandle)
            return nullptr;
        return m_parts.part(graph()->currentHandle());
    }

private:
    FilterGraph *graph() const { return static_cast<FilterGraph *>(widget()); }
    mutable PartCache m_parts;
};

QAccessibleInterface *pageFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QMixButton") || className == QLatin1String("QMixButton2"))
        return new CrosspointAccessible(static_cast<QMixButton *>(object));
    if (className == QLatin1String("CrosspointGrid"))
        return new CrosspointGridAccessible(static_cast<CrosspointGrid *>(object));
    if (className == QLatin1String("GateLamp"))
        return new GateLampAccessible(static_cast<GateLamp *>(object));
    if (className == QLatin1String("qtLimitCtrl"))
        return new LimitChartAccessible(static_cast<qtLimitCtrl *>(object));
    if (className == QLatin1String("QAGCGraph"))
        return new AgcGraphAccessible(static_cast<QAGCGraph *>(object));
    if (className == QLatin1String("FilterGraph"))
        return new FilterGraphAccessible(static_cast<FilterGraph *>(object));
    return nullptr;
}

} // namespace

void initPageAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(pageFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

QString channelLabel(const QString &designation, const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? designation : designation + QLatin1Char(' ') + trimmed;
}

QString channelLabel(const QLabel *title, const QLabel *name)
{
    return channelLabel(title->text(), name ? name->text() : QString());
}

void nameControls(const QString &channel,
                  std::initializer_list<std::pair<QWidget *, QString>> controls)
{
    for (const auto &control : controls)
        if (control.first)
            control.first->setAccessibleName(channel + QStringLiteral(", ") + control.second);
}

QString unitOfCaption(const QString &caption)
{
    static const QRegularExpression unit(
        QStringLiteral("[(（]\\s*([^()（）]+?)\\s*[)）]\\s*:?\\s*$"));
    const QRegularExpressionMatch m = unit.match(caption);
    return m.hasMatch() ? m.captured(1) : QString();
}

void notifyAccessibleHandleFocus(FilterGraph *graph, int index)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *graphInterface = QAccessible::queryAccessibleInterface(graph);
    const int child = graph->handleOrder().indexOf(index);
    if (!graphInterface || child < 0)
        return;
    QAccessibleEvent event(graphInterface->child(child), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
