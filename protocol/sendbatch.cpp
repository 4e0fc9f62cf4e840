#include "protocol/sendbatch.h"

#include "protocol/transport.h"

SendBatch::SendBatch()
{
    beginSendBatch();
}

SendBatch::~SendBatch()
{
    endSendBatch();
}
