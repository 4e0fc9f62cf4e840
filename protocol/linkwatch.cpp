#include "protocol/linkwatch.h"

LinkWatch *LinkWatch::instance()
{
    static LinkWatch *watch = new LinkWatch; // lives as long as the process
    return watch;
}

void LinkWatch::update(bool up)
{
    if (up == m_up)
        return;
    m_up = up;
    emit linkChanged(up);
}
