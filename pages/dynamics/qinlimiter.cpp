#include "pages/dynamics/qinlimiter.h"

namespace {
ChannelRecordConfig inputLimiterConfig()
{
    ChannelRecordConfig c;
    c.module = QInLimiter::Module;
    c.recordCmd = Proto::LimiterCmd::Record;
    c.copyCmd = Proto::LimiterCmd::Copy;
    c.resetCmd = Proto::LimiterCmd::Reset;
    c.enablePath = "input.#.limiter.enable";
    c.holdTicks = 10;
    c.outputs = false;
    c.copyToOutputs = true;
    c.objectName = "inLimiterWidget";
    return c;
}
} // namespace

QInLimiter::QInLimiter(QWidget *parent) : LimiterPage(inputLimiterConfig(), parent) {}
