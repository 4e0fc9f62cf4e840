#include "pages/filters/qinfilter.h"

namespace {
FilterPageConfig inputFilterConfig()
{
    FilterPageConfig c{};
    c.module = QInFilter::Module;
    c.objectName = "inFilterWidget";
    c.channelPrefix = "IN ";
    c.outputs = false;
    return c;
}
} // namespace

QInFilter::QInFilter(QWidget *parent) : FilterPage(inputFilterConfig(), parent) {}

void QInFilter::setInputName(int channel, const QString &name)
{
    setChannelLabel(channel, name);
}
