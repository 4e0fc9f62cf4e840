#pragma once

#include <QWidget>

#include <functional>

class Knob;
class QLineEdit;
class QValidator;

// A knob with its text field: the one control that shows and sets a continuous
// value on the block pages.
//
// The knob may hold the value scaled (the input gain knob holds tenths of a
// dB); the field shows the value with the control's format. Dragging the knob
// emits knobMoved (the page's `...Changed(float)`); finishing the field emits
// textEntered with the typed value, clamped to the range, text that is no
// number read as 0 (the page's `...EditingFinished()`), and drops the field's
// focus. setValue never emits.
class KnobField final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(KnobField)

public:
    explicit KnobField(QWidget *parent = nullptr);

    Knob *knob() const { return m_knob; }
    QLineEdit *edit() const { return m_edit; }

    // Knob units per value unit (10: the knob holds tenths).
    void setScale(float scale);
    // Range in value units.
    void setRange(float minimum, float maximum);
    // printf-style format of the text, "%0.1f" by default; a whole-number
    // conversion ("%d") shows the value truncated toward zero.
    void setFormat(const char *format);
    void setValidator(QValidator *validator);
    // Names knob and field for assistive technology ("IN 3 Handheld 2,
    // gain"); the knob tells its value as the field writes it, with `unit`.
    void setAccessibleLabel(const QString &name, const QString &unit = QString());
    // The knob's value as told to assistive technology, when the field's
    // format does not say it (the Q knob holds an index into a table).
    void setValueText(const std::function<QString(float knobValue)> &text);

    float minimum() const;
    float maximum() const;
    float clamp(float value) const;

    // True while the operator types in the field (it has the focus and was
    // changed): values from the unit leave knob and field alone meanwhile.
    bool isBeingEdited() const;
    // Shows `value` (clamped) on knob and field without emitting anything;
    // nothing while the field is being edited.
    void setValue(float value);
    // Rewrites only the field (not while it is being edited; the same text
    // leaves the cursor where it is).
    void showText(float value);
    QString format(float value) const;
    // The value of the last finished edit of the field (as textEntered carried it).
    float enteredValue() const { return m_entered; }

signals:
    void knobMoved(float value);
    void textEntered(float value);

private:
    void onEditingFinished();
    QString knobText(float knobValue) const;

    Knob *m_knob;
    QLineEdit *m_edit;
    float m_scale = 1.0f;
    float m_entered = 0.0f;
    const char *m_format = "%0.1f";
    QString m_unit;
    std::function<QString(float)> m_valueText;
};
