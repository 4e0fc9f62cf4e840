#include "pages/filters/qoutdelay.h"

namespace {
DelayPageConfig outputDelayConfig()
{
    DelayPageConfig c{};
    c.module = QOutDelay::Module;
    c.objectName = "outDelayWidget";
    c.channelPrefix = "OUT ";
    c.param = "output.#.delay";
    c.maxMs = 2000.0f;
    return c;
}
} // namespace

QOutDelay::QOutDelay(QWidget *parent) : DelayPage(outputDelayConfig(), parent) {}

void QOutDelay::setOutputName(int channel, const QString &name)
{
    setChannelName(channel, name);
}
