#pragma once

class QAbstractSpinBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QString;
class QWidget;

// Showing the unit's values in the fields the operator types in.
//
// The unit is read every 200 ms while a page is on screen, and its answers
// must not fight the operator: a field that has the keyboard focus and whose
// text the operator changed since it was last shown keeps what is being
// typed, and a value equal to what a field shows changes nothing (no cursor
// or selection reset). The page's own copy of the value follows the unit all
// the same, so the typed value is compared with the unit's when the edit is
// finished. Nothing here emits the field's signals.
//
// A field's edit ends when the operator finishes it (Return or leaving the
// field): its handler calls endEdit() first, so that it can show the value it
// took (clamped, formatted) while the field still has the focus.
namespace FieldSync {

// A field the operator leaves with a text its validator does not take (an
// edit that never finished) shows the value last shown for it again. Every
// field given to showText() is tracked; track() starts it earlier.
void track(QLineEdit *edit);

// True while the operator is typing in `field` (a QLineEdit or a spin box).
bool isBeingEdited(const QWidget *field);

// The edit of the field is finished: what it shows may be set again.
void endEdit(QLineEdit *edit);
void endEdit(QAbstractSpinBox *box);

// Show a value from the unit; false when the field was left as it was
// (the same value, or the operator is typing in it).
bool showText(QLineEdit *edit, const QString &text);
bool showValue(QDoubleSpinBox *box, double value);
bool showValue(QSpinBox *box, int value);

} // namespace FieldSync
