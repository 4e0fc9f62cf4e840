#pragma once

#include "pages/filters/delaypage.h"
#include "protocol/commands.h"

// The output delay page: up to 2000 ms per output.
class QOutDelay final : public DelayPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QOutDelay)

public:
    static constexpr quint8 Module = Proto::Module::OutputDelay;

    explicit QOutDelay(QWidget *parent = nullptr);
    void setOutputName(int channel, const QString &name) override;
};
