#include "sim/channelblock.h"

void ChannelBlock::addParam(quint8 readCmd, quint8 writeCmd, const QByteArray &initial)
{
    m_params.append({readCmd, writeCmd, initial, initial.repeated(Channels)});
}

const ChannelBlock::Param *ChannelBlock::byRead(quint8 cmd) const
{
    for (const Param &p : m_params)
        if (p.readCmd == cmd)
            return &p;
    return nullptr;
}

ChannelBlock::Param *ChannelBlock::byRead(quint8 cmd)
{
    for (Param &p : m_params)
        if (p.readCmd == cmd)
            return &p;
    return nullptr;
}

QByteArray ChannelBlock::read(quint8 cmd) const
{
    const Param *p = byRead(cmd);
    return p ? p->data : QByteArray();
}

bool ChannelBlock::write(quint8 cmd, const QByteArray &payload)
{
    for (Param &p : m_params) {
        if (p.writeCmd == 0 || p.writeCmd != cmd)
            continue;
        const int width = p.initial.size();
        const int channel = payload.isEmpty() ? -1 : quint8(payload.at(0));
        if (payload.size() != width + 1 || channel >= Channels)
            return false;
        p.data.replace(channel * width, width, payload.mid(1));
        return true;
    }
    return false;
}

QByteArray ChannelBlock::value(quint8 readCmd, int channel) const
{
    const Param *p = byRead(readCmd);
    if (!p || channel < 0 || channel >= Channels)
        return QByteArray();
    const int width = p->initial.size();
    return p->data.mid(channel * width, width);
}

void ChannelBlock::setValue(quint8 readCmd, int channel, const QByteArray &bytes)
{
    Param *p = byRead(readCmd);
    if (!p || channel < 0 || channel >= Channels || bytes.size() != p->initial.size())
        return;
    p->data.replace(channel * bytes.size(), bytes.size(), bytes);
}

void ChannelBlock::reset()
{
    for (Param &p : m_params)
        p.data = p.initial.repeated(Channels);
}

QByteArray ChannelBlock::save() const
{
    QByteArray out;
    for (const Param &p : m_params)
        out += p.data;
    return out;
}

bool ChannelBlock::restore(const QByteArray &bytes)
{
    if (bytes.size() != save().size())
        return false;
    int at = 0;
    for (Param &p : m_params) {
        p.data = bytes.mid(at, p.data.size());
        at += p.data.size();
    }
    return true;
}
