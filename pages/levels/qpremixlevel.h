#pragma once

#include "pages/levels/levelpage.h"
#include "protocol/commands.h"

// The pre-mix level page: the level of each input entering the matrix, with
// mute, polarity, link group, priority and the input gain limits.
class QPreMixLevel final : public LevelPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QPreMixLevel)

public:
    static constexpr quint8 Module = Proto::Module::PreMixLevel;

    explicit QPreMixLevel(QWidget *parent = nullptr);
    void setInputName(int channel, const QString &name) override;
};
