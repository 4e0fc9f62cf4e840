#pragma once

#include "pages/dynamics/limiterpage.h"
#include "protocol/commands.h"

// The limiter of the 16 outputs. Answers are ignored for 500 ms after an edit
// (the input page: 100 ms).
class QOutLimiter final : public LimiterPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QOutLimiter)

public:
    static constexpr quint8 Module = Proto::Module::OutputLimiter;

    explicit QOutLimiter(QWidget *parent = nullptr);

public slots:
    // The output page's name for the enable switch.
    void bypClicked(bool isChecked);
};
