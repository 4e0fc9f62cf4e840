#pragma once

#include "protocol/frame.h"

#include <array>
#include <functional>

// Routes received frames to their receivers by `op` and `module`. Receivers are
// plugged in as they are built; a frame nobody has claimed is dropped.
class PacketRouter final
{
public:
    using Handler = std::function<void(const Proto::Frame &)>;

    // Installs (or, with an empty handler, removes) the receiver of one module.
    void setRoute(quint8 op, quint8 module, Handler handler);
    // Receiver of every module of `op` that has no receiver of its own.
    void setFallback(quint8 op, Handler handler);

    bool hasRoute(quint8 op, quint8 module) const;

    // Hands the frame to its receiver. Returns false when it was dropped.
    bool dispatch(const Proto::Frame &frame) const;

private:
    static constexpr int OpCount = 4; // ops 1..3 are used; 0 and others are dropped
    std::array<std::array<Handler, 256>, OpCount> m_routes;
    std::array<Handler, OpCount> m_fallbacks;
};
