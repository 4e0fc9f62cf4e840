#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QSpinBox;

// The touch-screen gain limits of the settings page: a maximum and a minimum
// spin box for each of the 16 inputs and 16 outputs, one row per channel.
// Values set from the unit never emit; the page reacts to the operator's
// changes through the spin boxes' valueChanged.
class GainLimitPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(GainLimitPanel)

public:
    static constexpr int Channels = 16;
    static constexpr int Lowest = -56;
    static constexpr int Highest = 12;
    enum Side
    {
        Input,
        Output
    };
    enum Bound
    {
        Maximum,
        Minimum
    };

    explicit GainLimitPanel(QWidget *parent = nullptr);

    QSpinBox *spinBox(Side side, Bound bound, int channel) const;
    // The channel of one of the panel's spin boxes, or -1.
    int channelOf(const QObject *spinBox) const;
    int maximum(Side side, int channel) const;
    int minimum(Side side, int channel) const;
    // Sets both boxes of a channel without emitting.
    void setLimits(Side side, int channel, int upper, int lower);

    void retranslate();

private:
    using Column = std::array<QSpinBox *, Channels>;
    Column &column(Side side, Bound bound);
    const Column &column(Side side, Bound bound) const;

    QLabel *m_title;
    QLabel *m_sideCaptions[2];
    QLabel *m_boundCaptions[4];
    std::array<QLabel *, Channels> m_numbers{};
    std::array<Column, 4> m_columns{}; // in max, in min, out max, out min
};
