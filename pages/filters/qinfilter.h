#pragma once

#include "pages/filters/filterpage.h"
#include "protocol/commands.h"

// The input filter page: high-pass, low-pass and parametric bands of the
// selected input.
class QInFilter final : public FilterPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QInFilter)

public:
    static constexpr quint8 Module = Proto::Module::InputFilter;

    explicit QInFilter(QWidget *parent = nullptr);
    void setInputName(int channel, const QString &name) override;
};
