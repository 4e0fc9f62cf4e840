#include "pages/devicestatus.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"

using namespace Proto::SettingsCmd;

namespace {
constexpr int TextWidth = 16; // texts are compared and shown on at most 16 bytes
} // namespace

DeviceStatus::DeviceStatus(QObject *parent) : QObject(parent) {}

void DeviceStatus::clear()
{
    m_arm = {};
    m_dsp = {};
    m_sn.clear();
    m_location.clear();
    m_description.clear();
    m_usage[0] = m_usage[1] = -1;
    m_allMute = -1;
    m_fault = 0;
}

bool DeviceStatus::handle(const Proto::Frame &f)
{
    if (f.flag != Proto::FlagAnswer || f.payload.size() != f.length)
        return false;
    const QByteArray &p = f.payload;
    const auto text = [&p]() { return LocalText::decodeField(p, 0, TextWidth); };
    switch (f.cmd) {
    case ArmVersion:
    case DspVersion: {
        if (f.length != 3)
            return false;
        auto &stored = f.cmd == ArmVersion ? m_arm : m_dsp;
        const std::array<quint8, 3> v{{quint8(p[0]), quint8(p[1]), quint8(p[2])}};
        if (v != stored) {
            stored = v;
            if (f.cmd == ArmVersion)
                emit sig_armVer(v[0], v[1], v[2]);
            else
                emit sig_dspVer(v[0], v[1], v[2]);
        }
        return true;
    }
    case Serial:
    case Location:
    case Description: {
        QString &stored = f.cmd == Serial ? m_sn : f.cmd == Location ? m_location : m_description;
        const QString value = text();
        if (value != stored) {
            stored = value;
            if (f.cmd == Serial)
                emit sig_sn(value);
            else if (f.cmd == Location)
                emit sig_location(value);
            else
                emit sig_description(value);
        }
        return true;
    }
    case AllMute:
        if (p.isEmpty())
            return false;
        if (int(p.at(0) != 0) != m_allMute) {
            m_allMute = p.at(0) != 0;
            emit sig_allMute(m_allMute);
        }
        return true;
    case DspUsage: {
        if (f.length != 8)
            return false;
        const float a = Le::get<float>(p, 0), b = Le::get<float>(p, 4);
        if (a != m_usage[0] || b != m_usage[1]) {
            m_usage[0] = a;
            m_usage[1] = b;
            emit sig_dspUsage(a, b);
        }
        return true;
    }
    case Fault:
        if (p.isEmpty())
            return false;
        if (quint8(p.at(0)) != m_fault) {
            m_fault = quint8(p.at(0));
            emit sig_fault(m_fault, QVector<float>(7, 0.0f));
        }
        return true;
    default:
        return false;
    }
}
