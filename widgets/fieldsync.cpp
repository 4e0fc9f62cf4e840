#include "widgets/fieldsync.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace FieldSync {

namespace {

const char ShownProperty[] = "dapFieldSyncShown";

// A field the operator leaves with a text its validator does not take (it
// is then not finished: no editingFinished) would keep that text, since the
// page only shows values that change. Leaving it shows the unit's value again.
class LeaveWatcher final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A field being destroyed loses its focus after it stopped being a
        // line edit: the cast then gives nothing.
        if (event->type() == QEvent::FocusOut) {
            auto *edit = qobject_cast<QLineEdit *>(watched);
            if (edit && edit->isModified() && !edit->hasAcceptableInput()) {
                const QSignalBlocker blocker(edit);
                edit->setText(edit->property(ShownProperty).toString());
            }
        }
        return false;
    }
};

void remember(QLineEdit *edit, const QString &text)
{
    track(edit);
    edit->setProperty(ShownProperty, text);
}

// The line edit a spin box types in (its own child, not reachable otherwise).
QLineEdit *lineEditOf(const QAbstractSpinBox *box)
{
    return box->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

bool isBeingEdited(const QWidget *field)
{
    if (!field || !field->hasFocus())
        return false;
    if (const auto *edit = qobject_cast<const QLineEdit *>(field))
        return edit->isModified();
    if (const auto *box = qobject_cast<const QAbstractSpinBox *>(field)) {
        const QLineEdit *edit = lineEditOf(box);
        return edit && edit->isModified();
    }
    return false;
}

void track(QLineEdit *edit)
{
    static LeaveWatcher *const watcher = new LeaveWatcher(QCoreApplication::instance());
    if (edit && !edit->property(ShownProperty).isValid()) {
        edit->setProperty(ShownProperty, edit->text());
        edit->installEventFilter(watcher);
    }
}

void endEdit(QLineEdit *edit)
{
    if (edit)
        edit->setModified(false);
}

void endEdit(QAbstractSpinBox *box)
{
    if (QLineEdit *edit = box ? lineEditOf(box) : nullptr)
        edit->setModified(false);
}

bool showText(QLineEdit *edit, const QString &text)
{
    if (!edit)
        return false;
    remember(edit, text);
    if (edit->text() == text || isBeingEdited(edit))
        return false;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
    return true;
}

// Compares what the box would show rather than the numbers: a value that
// differs only past the box's decimals shows the same text.
bool showValue(QDoubleSpinBox *box, double value)
{
    if (!box || !std::isfinite(value) || isBeingEdited(box))
        return false;
    const double bounded = qBound(box->minimum(), value, box->maximum());
    if (box->textFromValue(box->value()) == box->textFromValue(bounded))
        return false;
    const QSignalBlocker blocker(box);
    box->setValue(bounded);
    return true;
}

bool showValue(QSpinBox *box, int value)
{
    if (!box || isBeingEdited(box))
        return false;
    const int bounded = qBound(box->minimum(), value, box->maximum());
    if (box->value() == bounded)
        return false;
    const QSignalBlocker blocker(box);
    box->setValue(bounded);
    return true;
}

} // namespace FieldSync
