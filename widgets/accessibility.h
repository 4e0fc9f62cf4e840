#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <QVector>

#include <functional>

class QPainter;
class QPalette;
class QRectF;

// What the hand-drawn controls tell assistive technology (screen readers):
// each has a QAccessibleInterface with a role, the name its owner gave it
// (QWidget::setAccessibleName, e.g. "IN 3 Handheld 2, gain") and its value
// with the unit; value controls add QAccessibleValueInterface. The
// interfaces of this library are registered once with
// QAccessible::installFactory by initWidgetAccessibility(), which each control
// calls when it is made, so users of the library register nothing. Libraries
// above this one register their own controls the same way.

void initWidgetAccessibility();

// Tells assistive technology that the value of `object` changed; costs a flag
// test while none listens.
void notifyAccessibleValue(QObject *object, double value);

// The focus ring of the hand-drawn controls: two pixels of the palette's
// highlight colour around `rect`.
void drawFocusRing(QPainter &painter, const QRectF &rect, const QPalette &palette);

// The interface of a hand-drawn widget that shows or sets a number: the value
// text is text(QAccessible::Value); minimum, maximum, step and the current
// value come from the subclass.
class ValueWidgetAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    ValueWidgetAccessible(QWidget *widget, QAccessible::Role role);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

protected:
    virtual QString valueText() const = 0;
};

// A part of a widget that the widget draws itself (a bar of a meter bank, a
// handle of a graph): an interface without an object of its own. The owner's
// interface makes them through a PartCache.
class WidgetPartAccessible : public QAccessibleInterface
{
public:
    WidgetPartAccessible(QWidget *owner, int index);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QVector<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::State state() const override;

    int index() const { return m_index; }

protected:
    QWidget *owner() const { return m_owner; }
    // Where the part lies, in the owner's coordinates.
    virtual QRect partRect() const = 0;

private:
    QPointer<QWidget> m_owner;
    int m_index;
};

// The part interfaces of one widget, made when first asked for, registered
// with QAccessible and removed with the cache (the owner's interface).
class PartCache
{
public:
    using Make = std::function<QAccessibleInterface *(int index)>;

    explicit PartCache(const Make &make) : m_make(make) {}
    ~PartCache();
    PartCache(const PartCache &) = delete;
    PartCache &operator=(const PartCache &) = delete;

    QAccessibleInterface *part(int index);
    int indexOf(const QAccessibleInterface *part) const;

private:
    Make m_make;
    QVector<QAccessible::Id> m_ids;
};
