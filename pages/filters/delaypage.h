#pragma once

#include "pages/blockpage.h"

#include <array>

namespace Model {
struct RecordId;
}

class ElidedLabel;
class Knob;
class QDoubleSpinBox;
class QLabel;

// What differs between the input and the output delay page.
struct DelayPageConfig
{
    quint8 module;
    const char *objectName;    // of the page
    const char *channelPrefix; // "IN " or "OUT "
    const char *param;         // the delay's path pattern in the unit model
    float maxMs;               // 1000 for inputs, 2000 for outputs
};

// A delay page: the delay of all 16 channels, each set with a knob (in
// hundredths of a millisecond) or typed as milliseconds, meters or feet (at
// 340 m/s); the four always show the same delay, the unit state's. A
// channel's delay is sent 100 ms after its last change; answers are ignored
// until 200 ms after it.
class DelayPage : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(DelayPage)

public:
    static constexpr int Channels = 16;
    static constexpr int HoldTicks = 20;
    static constexpr double SpeedOfSound = 340.0; // m/s
    static constexpr double FeetPerMeter = 3.2808;

    static double metersOf(double ms) { return ms * SpeedOfSound / 1000.0; }
    static double feetOf(double ms) { return metersOf(ms) * FeetPerMeter; }
    static double msOfMeters(double meters) { return meters * 1000.0 / SpeedOfSound; }
    static double msOfFeet(double feet) { return feet * 1000.0 / SpeedOfSound / FeetPerMeter; }

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    // A channel's delay in the unit state.
    float delay(int channel) const;
    float maxMs() const { return m_config.maxMs; }
    Knob *knob(int channel) const { return m_columns[size_t(channel)].knob; }
    QDoubleSpinBox *msBox(int channel) const { return m_columns[size_t(channel)].ms; }
    QDoubleSpinBox *metersBox(int channel) const { return m_columns[size_t(channel)].meters; }
    QDoubleSpinBox *feetBox(int channel) const { return m_columns[size_t(channel)].feet; }

private slots:
    void delayChanged(float value);
    void msChanged(double value);
    void metersChanged(double fvalue);
    void feetChanged(double value);

protected:
    DelayPage(const DelayPageConfig &config, QWidget *parent);
    void setChannelName(int channel, const QString &name);
    void retranslate() override;

private:
    struct Column
    {
        QLabel *title = nullptr;
        ElidedLabel *name = nullptr;
        Knob *knob = nullptr;
        QDoubleSpinBox *ms = nullptr;
        QDoubleSpinBox *meters = nullptr;
        QDoubleSpinBox *feet = nullptr;
    };

    QWidget *buildRow(int first);
    QWidget *buildColumn(int c, QWidget *parent);
    int channelOf(QObject *control) const;
    void updateAccessibleNames(int c);
    // Sets channel c to `ms` (limited to the page's range) on every control.
    void setDelay(int c, double ms);
    // Shows channel c's delay from the unit state on every control.
    void showDelay(int c);
    void applyOperatorDelay(double ms);
    // The record that holds channel c's delay.
    Model::RecordId record(int c) const;
    void sendDelay(int c);

    const DelayPageConfig m_config;
    const int m_param; // the delay's parameter in the unit model
    std::array<Column, Channels> m_columns{};
    std::array<QLabel *, 6> m_captions{}; // two rows of "Millisecond", "Meters", "Feet"
};
