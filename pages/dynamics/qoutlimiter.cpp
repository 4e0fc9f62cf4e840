#include "pages/dynamics/qoutlimiter.h"

namespace {
ChannelRecordConfig outputLimiterConfig()
{
    ChannelRecordConfig c;
    c.module = QOutLimiter::Module;
    c.recordCmd = Proto::LimiterCmd::Record;
    c.copyCmd = Proto::LimiterCmd::Copy;
    c.resetCmd = Proto::LimiterCmd::Reset;
    c.enablePath = "output.#.limiter.enable";
    c.holdTicks = 50;
    c.outputs = true;
    c.copyToOutputs = true;
    c.objectName = "outLimiterWidget";
    return c;
}
} // namespace

QOutLimiter::QOutLimiter(QWidget *parent) : LimiterPage(outputLimiterConfig(), parent) {}

void QOutLimiter::bypClicked(bool isChecked)
{
    enableClicked(isChecked);
}
