#include "protocol/packetrouter.h"

void PacketRouter::setRoute(quint8 op, quint8 module, Handler handler)
{
    if (op < OpCount)
        m_routes[op][module] = std::move(handler);
}

void PacketRouter::setFallback(quint8 op, Handler handler)
{
    if (op < OpCount)
        m_fallbacks[op] = std::move(handler);
}

bool PacketRouter::hasRoute(quint8 op, quint8 module) const
{
    return op < OpCount && (m_routes[op][module] || m_fallbacks[op]);
}

bool PacketRouter::dispatch(const Proto::Frame &frame) const
{
    if (frame.op == 0 || frame.op >= OpCount)
        return false;
    if (const Handler &h = m_routes[frame.op][frame.module]) {
        h(frame);
        return true;
    }
    if (const Handler &f = m_fallbacks[frame.op]) {
        f(frame);
        return true;
    }
    return false;
}
