#pragma once

#include <QWidget>

struct CutFilterRecord;

class KnobField;
class QComboBox;
class QLabel;
class QPushButton;

// The controls of one cut filter on a filter page: a title ("High-Pass" or
// "Low-Pass"), the "Enable" switch, the type and slope boxes and the
// frequency knob with its field. The page connects to the controls; the
// panel builds, labels and sets them.
class CutFilterPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CutFilterPanel)

public:
    explicit CutFilterPanel(QWidget *parent = nullptr);

    QPushButton *enableButton() const { return m_enable; }
    QComboBox *typeBox() const { return m_type; }
    QComboBox *slopeBox() const { return m_slope; }
    KnobField *frequency() const { return m_frequency; }
    // Names the controls "<channel>, <panel title>, <caption>".
    void setAccessibleNames(const QString &channel);

    // Shows a record (the frequency rounded) without emitting anything.
    void show(const CutFilterRecord &record);
    // Sets every text again, the title included (called on a language change).
    void retranslate(const QString &title);

private:
    QLabel *m_title;
    QPushButton *m_enable;
    QLabel *m_typeCaption;
    QComboBox *m_type;
    QLabel *m_slopeCaption;
    QComboBox *m_slope;
    QLabel *m_frequencyCaption;
    KnobField *m_frequency;
};
