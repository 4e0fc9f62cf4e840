#pragma once

#include <QtGlobal>

// While a SendBatch lives, the frames sent go to the system together when it
// ends (the outermost one, when batches nest): a round of reads costs one
// system call instead of one per frame. What reaches the unit is unchanged.
class SendBatch final
{
public:
    SendBatch();
    ~SendBatch();

private:
    Q_DISABLE_COPY(SendBatch)
};
