#include "pages/knobfield.h"

#include "widgets/fieldsync.h"
#include "widgets/knob.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <cstring>

namespace {
// True when the first conversion of a printf format is %d or %i.
bool isWholeNumberFormat(const char *format)
{
    const char *p = std::strchr(format, '%');
    if (!p)
        return false;
    ++p;
    while (*p && std::strchr("-+ #0123456789.", *p))
        ++p;
    return *p == 'd' || *p == 'i';
}
} // namespace

KnobField::KnobField(QWidget *parent)
    : QWidget(parent), m_knob(new Knob(this)), m_edit(new QLineEdit(this))
{
    m_edit->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 0, Qt::AlignHCenter);
    layout->addWidget(m_knob, 0, Qt::AlignHCenter);

    connect(m_knob, &Knob::valueChanged, this, [this](float v) { emit knobMoved(v / m_scale); });
    connect(m_edit, &QLineEdit::editingFinished, this, &KnobField::onEditingFinished);
    m_knob->setValueText(m_scale, [this](float knobValue) { return knobText(knobValue); });
    showText(0.0f);
}

QString KnobField::knobText(float knobValue) const
{
    if (m_valueText)
        return m_valueText(knobValue);
    const QString text = format(knobValue / m_scale);
    return m_unit.isEmpty() ? text : text + QLatin1Char(' ') + m_unit;
}

void KnobField::setAccessibleLabel(const QString &name, const QString &unit)
{
    m_unit = unit;
    m_knob->setAccessibleName(name);
    m_edit->setAccessibleName(name);
}

void KnobField::setValueText(const std::function<QString(float)> &text)
{
    m_valueText = text;
}

void KnobField::setScale(float scale)
{
    const float lo = minimum(), hi = maximum(), v = m_knob->value() / m_scale;
    m_scale = scale > 0 ? scale : 1.0f;
    m_knob->setValueText(m_scale, [this](float knobValue) { return knobText(knobValue); });
    setRange(lo, hi);
    m_knob->setValue(v * m_scale);
}

void KnobField::setRange(float minimum, float maximum)
{
    m_knob->setRange(minimum * m_scale, maximum * m_scale);
}

void KnobField::setFormat(const char *format)
{
    m_format = format;
}

void KnobField::setValidator(QValidator *validator)
{
    m_edit->setValidator(validator);
}

float KnobField::minimum() const
{
    return m_knob->minimum() / m_scale;
}

float KnobField::maximum() const
{
    return m_knob->maximum() / m_scale;
}

float KnobField::clamp(float value) const
{
    return qBound(minimum(), value, maximum());
}

bool KnobField::isBeingEdited() const
{
    return FieldSync::isBeingEdited(m_edit);
}

void KnobField::setValue(float value)
{
    // The knob and its field are one control: while the operator types in
    // the field, neither moves.
    if (isBeingEdited())
        return;
    m_knob->setValue(clamp(value) * m_scale);
    showText(clamp(value));
}

QString KnobField::format(float value) const
{
    // A whole-number format ("%d") takes an int: passing it a double would
    // print garbage. The value is truncated as whole-number controls are.
    if (isWholeNumberFormat(m_format))
        return QString::asprintf(m_format, int(std::trunc(value)));
    return QString::asprintf(m_format, double(value));
}

void KnobField::showText(float value)
{
    FieldSync::showText(m_edit, format(value));
}

void KnobField::onEditingFinished()
{
    // The edit is over: the page may show the value it took.
    FieldSync::endEdit(m_edit);
    bool ok = false;
    const float typed = m_edit->text().trimmed().toFloat(&ok);
    m_entered = clamp(ok ? typed : 0.0f);
    emit textEntered(m_entered);
    // Dropping the focus would report the edit a second time.
    const QSignalBlocker blocker(m_edit);
    m_edit->clearFocus();
}
