#pragma once

#include <QWidget>

#include <array>

struct PeqBandRecord;
class KnobField;
class QComboBox;
class QLabel;
class QPushButton;

// The band controls of a filter page: the 16 band buttons, the band's
// "Enable" switch and type box, and the frequency, gain and Q knobs with
// their fields. The page connects to the controls; the panel builds, labels
// and sets them.
class FilterBandPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(FilterBandPanel)

public:
    static constexpr int Bands = 16;

    explicit FilterBandPanel(QWidget *parent = nullptr);

    QPushButton *bandButton(int band) const { return m_bandButtons[size_t(band)]; }
    int bandOf(QObject *button) const;
    QPushButton *enableButton() const { return m_enable; }
    QComboBox *typeBox() const { return m_type; }
    KnobField *frequency() const { return m_frequency; }
    // Names the controls "<channel>, band <n>, <caption>" and the band
    // buttons "<channel>, band <n>".
    void setAccessibleNames(const QString &channel, int band);
    // Shows dB; its knob holds tenths of a dB (-150..150).
    KnobField *gain() const { return m_gain; }
    // Its knob holds the Q index (0..64); the field shows the Q and is read-only.
    KnobField *q() const { return m_q; }

    // Shows a band's record without emitting anything: the frequency
    // rounded, the gain as stored in the field (up to +-20 dB) while the knob
    // stops at +-15, the Q of the Q index.
    void show(const PeqBandRecord &record);
    // Checks `band`'s button and unchecks the others, without signals.
    void showSelected(int band);
    // Enables the band's own controls (not the band buttons): off while the
    // page does not hold the unit's record of the band.
    void setEditable(bool editable);
    // Whether the band shown takes edits (the page holds the unit's copy).
    bool isEditable() const;
    void retranslate();

private:
    std::array<QPushButton *, Bands> m_bandButtons{};
    QLabel *m_bandCaption;
    QPushButton *m_enable;
    QLabel *m_typeCaption;
    QComboBox *m_type;
    QLabel *m_frequencyCaption;
    KnobField *m_frequency;
    QLabel *m_gainCaption;
    KnobField *m_gain;
    QLabel *m_qCaption;
    KnobField *m_q;
};
