#pragma once

#include "pages/dynamics/limiterpage.h"
#include "protocol/commands.h"

// The limiter of the 16 inputs.
class QInLimiter final : public LimiterPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QInLimiter)

public:
    static constexpr quint8 Module = Proto::Module::InputLimiter;

    explicit QInLimiter(QWidget *parent = nullptr);
};
