#pragma once

#include "pages/filters/delaypage.h"
#include "protocol/commands.h"

// The input delay page: up to 1000 ms per input.
class QInDelay final : public DelayPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QInDelay)

public:
    static constexpr quint8 Module = Proto::Module::InputDelay;

    explicit QInDelay(QWidget *parent = nullptr);
    void setInputName(int channel, const QString &name) override;
};
