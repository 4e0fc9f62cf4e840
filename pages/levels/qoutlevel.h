#pragma once

#include "pages/levels/levelpage.h"
#include "protocol/commands.h"

// The output level page: gain, mute, polarity and link group of the 16
// outputs, their gain limits, and the two output meters.
class QOutLevel final : public LevelPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QOutLevel)

public:
    static constexpr quint8 Module = Proto::Module::OutputLevel;

    explicit QOutLevel(QWidget *parent = nullptr);
    void setOutputName(int channel, const QString &name) override;
};
