#pragma once

#include "pages/filters/filterpage.h"
#include "protocol/commands.h"

// The output filter page: high-pass, low-pass and parametric bands of the
// selected output.
class QOutFilter final : public FilterPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QOutFilter)

public:
    static constexpr quint8 Module = Proto::Module::OutputFilter;

    explicit QOutFilter(QWidget *parent = nullptr);
    void setOutputName(int channel, const QString &name) override;
};
