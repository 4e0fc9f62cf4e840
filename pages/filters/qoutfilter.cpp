#include "pages/filters/qoutfilter.h"

namespace {
FilterPageConfig outputFilterConfig()
{
    FilterPageConfig c{};
    c.module = QOutFilter::Module;
    c.objectName = "outFilterWidget";
    c.channelPrefix = "OUT ";
    c.outputs = true;
    return c;
}
} // namespace

QOutFilter::QOutFilter(QWidget *parent) : FilterPage(outputFilterConfig(), parent) {}

void QOutFilter::setOutputName(int channel, const QString &name)
{
    setChannelLabel(channel, name);
}
