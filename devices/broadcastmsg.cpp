#include "devices/broadcastmsg.h"

#include "protocol/lebytes.h"
#include "protocol/localtext.h"

#include <cstring>

namespace {

constexpr int OffMachineId = 0;
constexpr int OffAddress = 4;
constexpr int OffExtra = 8;
constexpr int OffStatus = 16;
constexpr int OffArm = 17;
constexpr int OffDsp = 20;
constexpr int OffSn = 23;
constexpr int OffModel = 39;
constexpr int OffLocation = 55;
constexpr int OffDescription = 71;
constexpr int OffPreset = 87;
constexpr int OffFault = 103;
constexpr int OffCode = 104;

QString text(const QByteArray &bytes, int offset)
{
    return LocalText::decodeField(bytes, offset, broadcastMsg::TextWidth);
}

QByteArray rawText(const QByteArray &bytes, int offset)
{
    const QByteArray field = bytes.mid(offset, broadcastMsg::TextWidth);
    const int nul = field.indexOf('\0');
    return nul < 0 ? field : field.left(nul);
}

void putText(QByteArray &bytes, int offset, const QString &value)
{
    const QByteArray encoded = LocalText::encodeFitting(value, broadcastMsg::TextWidth);
    bytes.replace(offset, encoded.size(), encoded);
}

} // namespace

quint32 broadcastMsg::runningTime() const
{
    return Le::get<quint32>(reinterpret_cast<const char *>(extra.data()));
}

quint32 broadcastMsg::totalTime() const
{
    return Le::get<quint32>(reinterpret_cast<const char *>(extra.data()) + 4);
}

QByteArray broadcastMsg::toBytes() const
{
    QByteArray r(Size, '\0');
    char *p = r.data();
    Le::put<quint32>(p + OffMachineId, machineid);
    Le::put<quint32>(p + OffAddress, ipaddress);
    std::memcpy(p + OffExtra, extra.data(), extra.size());
    r[OffStatus] = char(status);
    std::memcpy(p + OffArm, armVersion.data(), 3);
    std::memcpy(p + OffDsp, dspVersion.data(), 3);
    putText(r, OffSn, sn);
    putText(r, OffModel, model);
    putText(r, OffLocation, location);
    putText(r, OffDescription, description);
    putText(r, OffPreset, preset);
    r[OffFault] = char(fault);
    Le::put<quint16>(r.data() + OffCode, code);
    return r;
}

QByteArray broadcastMsg::textBytes(TextField field) const
{
    if (hasRawTexts)
        return rawTexts[field];
    const QString *texts[TextFields] = {&sn, &model, &location, &description, &preset};
    return LocalText::encodeFitting(*texts[field], TextWidth);
}

quint32 broadcastMsg::packVersion(const std::array<quint8, 3> &v)
{
    return quint32(v[0]) * 65536 + quint32(v[1]) * 256 + v[2];
}

std::array<quint8, 3> broadcastMsg::unpackVersion(quint32 packed)
{
    return {{quint8(packed >> 16), quint8(packed >> 8), quint8(packed)}};
}

std::optional<broadcastMsg> parseBroadcastMsg(const QByteArray &d)
{
    if (d.size() != broadcastMsg::Size)
        return std::nullopt;
    const char *p = d.constData();
    broadcastMsg m;
    m.machineid = Le::get<quint32>(p + OffMachineId);
    m.ipaddress = Le::get<quint32>(p + OffAddress);
    std::memcpy(m.extra.data(), p + OffExtra, m.extra.size());
    m.status = quint8(p[OffStatus]);
    std::memcpy(m.armVersion.data(), p + OffArm, 3);
    std::memcpy(m.dspVersion.data(), p + OffDsp, 3);
    m.sn = text(d, OffSn);
    m.model = text(d, OffModel);
    m.location = text(d, OffLocation);
    m.description = text(d, OffDescription);
    m.preset = text(d, OffPreset);
    m.rawTexts = {rawText(d, OffSn), rawText(d, OffModel), rawText(d, OffLocation),
                  rawText(d, OffDescription), rawText(d, OffPreset)};
    m.hasRawTexts = true;
    m.fault = quint8(p[OffFault]);
    m.code = Le::get<quint16>(p + OffCode);
    return m;
}

bool acceptsCode(quint16 announced, quint16 own)
{
    return own == broadcastMsg::AnyCode || announced == own;
}

broadcastMsg::Fields changedFields(const broadcastMsg &a, const broadcastMsg &b)
{
    broadcastMsg::Fields f;
    f.setFlag(broadcastMsg::Address, a.ipaddress != b.ipaddress);
    const auto differs = [&](broadcastMsg::TextField t) {
        return a.textBytes(t) != b.textBytes(t);
    };
    f.setFlag(broadcastMsg::Model, differs(broadcastMsg::ModelText));
    f.setFlag(broadcastMsg::ArmVersion, a.armVersion != b.armVersion);
    f.setFlag(broadcastMsg::DspVersion, a.dspVersion != b.dspVersion);
    f.setFlag(broadcastMsg::Location, differs(broadcastMsg::LocationText));
    f.setFlag(broadcastMsg::Description, differs(broadcastMsg::DescriptionText));
    f.setFlag(broadcastMsg::Sn, differs(broadcastMsg::SnText));
    f.setFlag(broadcastMsg::Status, a.status != b.status);
    f.setFlag(broadcastMsg::Preset, differs(broadcastMsg::PresetText));
    f.setFlag(broadcastMsg::Fault, a.fault != b.fault);
    f.setFlag(broadcastMsg::Extra, a.extra != b.extra);
    return f;
}

QString dottedAddress(quint32 a)
{
    return QString::asprintf("%d.%d.%d.%d", int(a >> 24), int((a >> 16) & 0xFF),
                             int((a >> 8) & 0xFF), int(a & 0xFF));
}
