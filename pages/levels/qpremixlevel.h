#pragma once

#include "pages/levels/levelpage.h"

// The pre-mix level page: the level of each input entering the matrix, with
// mute, polarity, link group, priority and the input gain limits.
class QPreMixLevel final : public LevelPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QPreMixLevel)

public:
    static constexpr quint8 Module = 7;
    enum Cmd : quint8
    {
        Mute = 1,
        Gain = 2,
        Invert = 3,
        Group = 4,
        Limits = 6,
        Meter = 7,
        Priority = 8
    };

    explicit QPreMixLevel(QWidget *parent = nullptr);
    void setInputName(int channel, const QString &name) override;
};
