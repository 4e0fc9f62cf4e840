#include "pages/filters/qindelay.h"

namespace {
DelayPageConfig inputDelayConfig()
{
    DelayPageConfig c{};
    c.module = QInDelay::Module;
    c.objectName = "inDelayWidget";
    c.channelPrefix = "IN ";
    c.param = "input.#.delay";
    c.maxMs = 1000.0f;
    return c;
}
} // namespace

QInDelay::QInDelay(QWidget *parent) : DelayPage(inputDelayConfig(), parent) {}

void QInDelay::setInputName(int channel, const QString &name)
{
    setChannelName(channel, name);
}
