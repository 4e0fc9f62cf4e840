#pragma once

#include "pages/levels/levelpage.h"

// The output level page: gain, mute, polarity and link group of the 16
// outputs, their gain limits, and the two output meters.
class QOutLevel final : public LevelPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QOutLevel)

public:
    static constexpr quint8 Module = 11;
    enum Cmd : quint8
    {
        Meter = 1,
        Mute = 2,
        Gain = 3,
        Invert = 4,
        Group = 5,
        Limits = 7,
        PreMeter = 8
    };

    explicit QOutLevel(QWidget *parent = nullptr);
    void setOutputName(int channel, const QString &name) override;
};
