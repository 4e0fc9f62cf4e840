#pragma once

#include <QPushButton>

// The lamp that shows whether a channel's gate is open: a small round
// checkable button, grey when closed and green when open. It only shows the
// unit's state, so the operator cannot toggle it.
class GateLamp final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(GateLamp)

public:
    explicit GateLamp(QWidget *parent = nullptr);

    bool isOpen() const { return isChecked(); }
    // Sets the checked state and the colour; false when nothing changed.
    bool setOpen(bool open);
};
