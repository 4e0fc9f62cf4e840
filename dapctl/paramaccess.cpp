#include "dapctl/paramaccess.h"

#include "dapctl/paramvalue.h"
#include "dapctl/unitlink.h"
#include "pages/devicestatus.h"
#include "pages/levels/gainrules.h"
#include "pages/levels/inputgain.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "protocol/transport.h"

#include <cmath>
#include <vector>

using Kind = ParamPath::Kind;
using namespace Proto;

namespace {

constexpr int Channels = 16;

// The commands of the two level blocks; their pages share one design too.
struct LevelCmds
{
    quint8 module, mute, gain, invert, group, limits, priority;
    bool exact; // the pre-mix block answers exactly 16 values, the output
                // block's first 16 values are used
};
const LevelCmds PreMixCmds{
    Module::PreMixLevel, PreMixCmd::Mute,   PreMixCmd::Gain,     PreMixCmd::Invert,
    PreMixCmd::Group,    PreMixCmd::Limits, PreMixCmd::Priority, true};
const LevelCmds OutputCmds{Module::OutputLevel,
                           OutLevelCmd::Mute,
                           OutLevelCmd::Gain,
                           OutLevelCmd::Invert,
                           OutLevelCmd::Group,
                           OutLevelCmd::Limits,
                           0,
                           false};

const LevelCmds &levelCmds(bool outputs)
{
    return outputs ? OutputCmds : PreMixCmds;
}

} // namespace

struct ParamAccess::Read
{
    UnitLink::Request request;
    int length;
    bool exact;
};

ParamAccess::ParamAccess(UnitLink &link) : m_link(link) {}

bool ParamAccess::fetch(const QVector<Read> &reads, QVector<QByteArray> &payloads)
{
    QVector<UnitLink::Request> requests;
    for (const Read &r : reads)
        requests.append(r.request);
    const auto answers = m_link.readAll(requests);
    payloads.clear();
    for (int i = 0; i < reads.size(); ++i) {
        const std::optional<Proto::Frame> &f = answers[i];
        if (!f) {
            m_error = m_link.errorString();
            return false;
        }
        AnswerReader a(f->flag, f->length, f->payload);
        if (!(reads[i].exact ? a.exact(reads[i].length) : a.atLeast(reads[i].length))) {
            m_error = a.isRefused()
                          ? QStringLiteral("the unit refused the read of op %1 module %2 cmd %3")
                                .arg(f->op)
                                .arg(f->module)
                                .arg(f->cmd)
                          : QStringLiteral("the unit's answer to op %1 module %2 cmd %3 has %4 "
                                           "bytes, not %5")
                                .arg(f->op)
                                .arg(f->module)
                                .arg(f->cmd)
                                .arg(f->payload.size())
                                .arg(reads[i].length);
            return false;
        }
        payloads.append(f->payload);
    }
    return true;
}

std::optional<ParamAccess::InputState> ParamAccess::readInput(int c)
{
    using namespace InLevelCmd;
    const auto req = [](quint8 cmd, int width) {
        return Read{{OpBlock, Module::InputLevel, cmd, {}}, Channels * width, true};
    };
    QVector<QByteArray> p;
    if (!fetch({req(Mute, 1), req(Gain, 4), req(Mode, 1), req(Phantom, 1), req(Step, 1)}, p))
        return std::nullopt;
    const auto reader = [&p](int i) {
        return AnswerReader(FlagAnswer, quint16(p[i].size()), p[i]);
    };
    InputState s;
    AnswerReader mute = reader(0), gain = reader(1), mode = reader(2), phantom = reader(3),
                 step = reader(4);
    for (AnswerReader *r : {&mute, &gain, &mode, &phantom, &step})
        r->atLeast(0);
    s.mute = mute.u8(c) != 0;
    s.trim = gain.real(c * 4, -InputGain::TrimLimit, InputGain::TrimLimit).value_or(0.0f);
    s.line = mode.u8(c) != 0;
    s.phantom = phantom.u8(c) != 0;
    s.step = InputGain::sanitizeStep(step.u8(c));
    return s;
}

std::optional<ParamAccess::LevelState> ParamAccess::readLevel(bool outputs, int c)
{
    const LevelCmds &l = levelCmds(outputs);
    const auto req = [&l](quint8 cmd, int width) {
        return Read{{OpBlock, l.module, cmd, {}}, Channels * width, l.exact};
    };
    QVector<Read> reads{req(l.mute, 1), req(l.gain, 4), req(l.invert, 1), req(l.group, 1),
                        Read{{OpBlock, l.module, l.limits, {}}, Channels * 8, true}};
    if (l.priority)
        reads.append(req(l.priority, 1));
    QVector<QByteArray> p;
    if (!fetch(reads, p))
        return std::nullopt;
    std::vector<AnswerReader> answers;
    answers.reserve(size_t(p.size()));
    for (const QByteArray &bytes : qAsConst(p)) {
        answers.emplace_back(FlagAnswer, quint16(bytes.size()), bytes);
        answers.back().atLeast(0);
    }
    const auto r = [&answers](int i) { return &answers[size_t(i)]; };
    LevelState s;
    s.upper = r(4)->truncated(c * 8, GainRules::LimitMin, GainRules::LimitMax)
                  .value_or(GainRules::LimitMin);
    s.lower = r(4)->truncated(c * 8 + 4, GainRules::LimitMin, GainRules::LimitMax)
                  .value_or(GainRules::LimitMin);
    s.mute = r(0)->u8(c) != 0;
    // As the page shows it: within the scale, then within the channel's limits.
    const float gain = r(1)->real(c * 4, GainRules::LevelMin, GainRules::LevelMax).value_or(0.0f);
    s.gain = GainRules::clampLevel(gain, s.lower, s.upper);
    s.invert = r(2)->u8(c) != 0;
    if (const auto group = r(3)->index(c, 9))
        s.group = *group;
    if (l.priority)
        s.priority = r(5)->u8(c) != 0;
    return s;
}

std::optional<ParamAccess::Crosspoint> ParamAccess::readCrosspoint(int input, int output)
{
    const QByteArray selector(1, char(output));
    QVector<QByteArray> p;
    if (!fetch({Read{{OpBlock, Module::Matrix, MatrixCmd::On, selector, 1}, 1 + Channels, true},
                Read{{OpBlock, Module::Matrix, MatrixCmd::Gain, selector, 1}, 1 + Channels, true}},
               p))
        return std::nullopt;
    Crosspoint x;
    x.on = quint8(p[0].at(1 + input)) != 0;
    x.gain = GainRules::clampCrosspoint(qint8(p[1].at(1 + input)));
    return x;
}

std::optional<QString> ParamAccess::readLabel(quint8 table, int c)
{
    const int width = table == LabelCmd::Panel ? 10 : 16;
    QVector<QByteArray> p;
    if (!fetch({Read{{OpSystem, SysModule::Labels, table, {}}, Channels * width, true}}, p))
        return std::nullopt;
    AnswerReader a(FlagAnswer, quint16(p[0].size()), p[0]);
    a.exact(Channels * width);
    return a.text(c * width, width);
}

bool ParamAccess::readSystem(DeviceStatus &status)
{
    const QVector<quint8> cmds{SettingsCmd::Location, SettingsCmd::Description,
                               SettingsCmd::Rs232Baud, SettingsCmd::GateReport};
    QVector<UnitLink::Request> requests;
    for (quint8 cmd : cmds)
        requests.append({OpSystem, SysModule::Settings, cmd, {}});
    const auto answers = m_link.readAll(requests);
    for (const auto &f : answers) {
        if (!f) {
            m_error = m_link.errorString();
            return false;
        }
        status.handle(*f);
    }
    return true;
}

std::optional<bool> ParamAccess::readAllMute()
{
    QVector<QByteArray> p;
    if (!fetch({Read{{OpSystem, SysModule::Settings, SettingsCmd::AllMute, {}}, 1, false}}, p))
        return std::nullopt;
    return p[0].at(0) != 0;
}

std::optional<ParamAccess::Value> ParamAccess::read(const ParamPath &path)
{
    const int c = path.channel;
    switch (path.kind) {
    case Kind::InputGain:
    case Kind::InputMute:
    case Kind::InputMode:
    case Kind::InputPhantom: {
        const auto s = readInput(c);
        if (!s)
            return std::nullopt;
        if (path.kind == Kind::InputGain)
            return ParamValue::fromGain(InputGain::total(s->step, s->trim, s->line), -1000.0f);
        if (path.kind == Kind::InputMode)
            return ParamValue::fromText(s->line ? QStringLiteral("line") : QStringLiteral("mic"));
        return ParamValue::fromSwitch(path.kind == Kind::InputMute ? s->mute : s->phantom);
    }
    case Kind::LevelGain:
    case Kind::LevelMute:
    case Kind::LevelInvert:
    case Kind::LevelGroup:
    case Kind::LevelPriority:
    case Kind::LevelMax:
    case Kind::LevelMin: {
        const auto s = readLevel(path.outputs, c);
        if (!s)
            return std::nullopt;
        switch (path.kind) {
        case Kind::LevelGain:
            return ParamValue::fromGain(s->gain, GainRules::LevelMin);
        case Kind::LevelMute:
            return ParamValue::fromSwitch(s->mute);
        case Kind::LevelInvert:
            return ParamValue::fromSwitch(s->invert);
        case Kind::LevelPriority:
            return ParamValue::fromSwitch(s->priority);
        case Kind::LevelGroup:
            if (s->group < 0)
                return ParamValue{QStringLiteral("(no group the program knows)"), QJsonValue()};
            return ParamValue{QString::number(s->group), s->group};
        case Kind::LevelMax:
            return ParamValue::fromWholeDb(s->upper);
        default:
            return ParamValue::fromWholeDb(s->lower);
        }
    }
    case Kind::MatrixOn:
    case Kind::MatrixGain: {
        const auto x = readCrosspoint(c, path.output);
        if (!x)
            return std::nullopt;
        if (path.kind == Kind::MatrixOn)
            return ParamValue::fromSwitch(x->on);
        ParamValue v = ParamValue::fromWholeDb(x->gain);
        if (x->gain <= GainRules::CrosspointMin)
            v.text += QStringLiteral(" (off)");
        return v;
    }
    case Kind::Label: {
        const auto label = readLabel(path.labelTable, c);
        return label ? std::optional<ParamValue>(ParamValue::fromText(*label)) : std::nullopt;
    }
    case Kind::AllMute: {
        const auto mute = readAllMute();
        return mute ? std::optional<ParamValue>(ParamValue::fromSwitch(*mute)) : std::nullopt;
    }
    case Kind::Location:
    case Kind::Description:
    case Kind::Rs232Baud:
    case Kind::GateReport: {
        DeviceStatus status;
        if (!readSystem(status))
            return std::nullopt;
        if (path.kind == Kind::Location)
            return ParamValue::fromText(status.location());
        if (path.kind == Kind::Description)
            return ParamValue::fromText(status.description());
        const int index =
            path.kind == Kind::Rs232Baud ? status.rs232BaudIndex() : status.gateReport();
        if (index < 0) {
            m_error = QStringLiteral("the unit reported no value the program knows");
            return std::nullopt;
        }
        if (path.kind == Kind::GateReport)
            return ParamValue{QString::number(index), index};
        const qint64 baud = DeviceStatus::baudRates()[size_t(index)];
        return ParamValue{QString::number(baud), baud};
    }
    }
    return std::nullopt;
}

ParamAccess::Status ParamAccess::usage(const ParamPath &path, const QString &text)
{
    m_error = QStringLiteral("%1: %2").arg(path.text, text);
    return Status::Usage;
}

namespace {
int limitKey(const ParamPath &path)
{
    return (path.outputs ? 16 : 0) + path.channel;
}

QString limitsReversed(int upper, int lower)
{
    return QStringLiteral("the maximum %1 dB would be below the minimum %2 dB, which mutes the "
                          "channel")
        .arg(upper)
        .arg(lower);
}
} // namespace

QString ParamAccess::planLimits(const QVector<ParamPath> &paths, const QStringList &values)
{
    m_plannedLimits.clear();
    for (int i = 0; i < paths.size() && i < values.size(); ++i) {
        const ParamPath &path = paths[i];
        if (path.kind != Kind::LevelMax && path.kind != Kind::LevelMin)
            continue;
        Limits &l = m_plannedLimits[limitKey(path)];
        (path.kind == Kind::LevelMax ? l.upper : l.lower) = ParamValue::parseLimit(values[i]);
    }
    for (int i = 0; i < paths.size(); ++i) {
        if (paths[i].kind != Kind::LevelMax)
            continue;
        const Limits &l = m_plannedLimits[limitKey(paths[i])];
        if (l.upper && l.lower && *l.upper < *l.lower)
            return QStringLiteral("%1: %2").arg(paths[i].text, limitsReversed(*l.upper, *l.lower));
    }
    return QString();
}

ParamAccess::Status ParamAccess::write(const ParamPath &path, const QString &value)
{
    m_note.clear();
    m_error.clear();
    const QString invalid = ParamValue::check(path, value);
    if (!invalid.isEmpty())
        return usage(path, invalid);
    switch (path.kind) {
    case Kind::InputGain:
    case Kind::InputMute:
    case Kind::InputMode:
    case Kind::InputPhantom:
        return writeInput(path, value);
    case Kind::LevelGain:
    case Kind::LevelMute:
    case Kind::LevelInvert:
    case Kind::LevelGroup:
    case Kind::LevelPriority:
    case Kind::LevelMax:
    case Kind::LevelMin:
        return writeLevel(path, value);
    case Kind::MatrixOn: {
        const auto on = ParamValue::parseSwitch(value);
        if (!on)
            return usage(path, QStringLiteral("\"%1\" is not on or off").arg(value));
        sendCommand(Module::Matrix, MatrixCmd::On, quint8(path.output),
                    QByteArray(1, char(path.channel)) + char(*on ? 1 : 0));
        return Status::Ok;
    }
    case Kind::MatrixGain: {
        const auto db = ParamValue::parseNumber(value);
        if (!db)
            return usage(path, QStringLiteral("\"%1\" is not a number").arg(value));
        // The crosspoint editor's fader: whole dB, clamped to the scale.
        const int gain = GainRules::clampCrosspoint(int(std::lround(qBound(-1000.0, *db, 1000.0))));
        if (gain != *db)
            m_note = QStringLiteral("%1 set as %2 dB").arg(value).arg(gain);
        sendCommand(Module::Matrix, MatrixCmd::Gain, quint8(path.output),
                    QByteArray(1, char(path.channel)) + char(GainRules::crosspointOnWire(gain)));
        return Status::Ok;
    }
    case Kind::Label: {
        const int width = path.labelTable == LabelCmd::Panel ? 10 : 16;
        QString kept;
        const QByteArray bytes = LocalText::encodeFitting(value, width, &kept);
        if (kept != value)
            m_note = QStringLiteral("cut to \"%1\" (the unit keeps %2 bytes)").arg(kept).arg(width);
        sendPacket(OpSystem, SysModule::Labels, path.labelTable, FlagWrite,
                   QByteArray(1, char(path.channel)) + bytes);
        return Status::Ok;
    }
    case Kind::AllMute: {
        const auto on = ParamValue::parseSwitch(value);
        if (!on)
            return usage(path, QStringLiteral("\"%1\" is not on or off").arg(value));
        sendPacket(OpSystem, SysModule::Settings, SettingsCmd::AllMute, FlagWrite,
                   QByteArray(1, char(*on ? 1 : 0)));
        return Status::Ok;
    }
    case Kind::Location:
    case Kind::Description:
    case Kind::Rs232Baud:
    case Kind::GateReport:
        return writeSystem(path, value);
    }
    return Status::Failure;
}

ParamAccess::Status ParamAccess::writeInput(const ParamPath &path, const QString &value)
{
    using namespace InLevelCmd;
    const int c = path.channel;
    std::optional<bool> on;
    std::optional<double> db;
    std::optional<bool> line;
    if (path.kind == Kind::InputGain) {
        if (!(db = ParamValue::parseNumber(value)))
            return usage(path, QStringLiteral("\"%1\" is not a number").arg(value));
    } else if (path.kind == Kind::InputMode) {
        const QString t = value.trimmed().toLower();
        if (t == QLatin1String("mic") || t == QLatin1String("0"))
            line = false;
        else if (t == QLatin1String("line") || t == QLatin1String("1"))
            line = true;
        else
            return usage(path, QStringLiteral("\"%1\" is not mic or line").arg(value));
    } else if (!(on = ParamValue::parseSwitch(value))) {
        return usage(path, QStringLiteral("\"%1\" is not on or off").arg(value));
    }
    const auto s = readInput(c);
    if (!s)
        return Status::Failure;
    const auto byte = [](bool b) { return QByteArray(1, char(b ? 1 : 0)); };
    switch (path.kind) {
    case Kind::InputGain: {
        const float total = InputGain::clampTotal(float(qBound(-1000.0, *db, 1000.0)), s->line);
        if (double(total) != *db)
            m_note = QStringLiteral("%1 is outside %2..%3 dB (%4 mode): set to %5")
                         .arg(value, QString::number(InputGain::minimum(s->line), 'f', 1),
                              QString::number(InputGain::maximum(s->line), 'f', 1),
                              s->line ? QStringLiteral("line") : QStringLiteral("mic"),
                              ParamValue::gainText(double(total)));
        const InputGain::Split split = InputGain::split(total, s->line);
        sendCommand(Module::InputLevel, Step, quint8(c), QByteArray(1, char(split.step)));
        sendCommand(Module::InputLevel, Gain, quint8(c), Le::bytes(split.digital));
        return Status::Ok;
    }
    case Kind::InputMode:
        if (*line == s->line) {
            m_note = QStringLiteral("the input already is in that mode; nothing sent");
            return Status::Ok;
        }
        sendCommand(Module::InputLevel, Mode, quint8(c), byte(*line));
        if (const auto reset = InputGain::resetAfterModeChange(s->step, s->trim)) {
            sendCommand(Module::InputLevel, Step, quint8(c), QByteArray(1, char(reset->step)));
            sendCommand(Module::InputLevel, Gain, quint8(c), Le::bytes(reset->digital));
            m_note = QStringLiteral("the gain of the input is back at 0.0 dB");
        }
        return Status::Ok;
    case Kind::InputPhantom:
        if (*on && s->line)
            return usage(path, QStringLiteral("input %1 is in line mode; phantom power needs "
                                              "microphone mode (input.%1.mode mic)")
                                   .arg(c + 1));
        sendCommand(Module::InputLevel, Phantom, quint8(c), byte(*on));
        return Status::Ok;
    default:
        sendCommand(Module::InputLevel, Mute, quint8(c), byte(*on));
        return Status::Ok;
    }
}

ParamAccess::Status ParamAccess::writeLevel(const ParamPath &path, const QString &value)
{
    const LevelCmds &l = levelCmds(path.outputs);
    const quint8 c = quint8(path.channel);
    const auto byte = [](int b) { return QByteArray(1, char(b)); };
    if (path.kind == Kind::LevelMute || path.kind == Kind::LevelInvert ||
        path.kind == Kind::LevelPriority) {
        const auto on = ParamValue::parseSwitch(value);
        if (!on)
            return usage(path, QStringLiteral("\"%1\" is not on or off").arg(value));
        const quint8 cmd = path.kind == Kind::LevelMute     ? l.mute
                           : path.kind == Kind::LevelInvert ? l.invert
                                                            : l.priority;
        sendCommand(l.module, cmd, c, byte(*on ? 1 : 0));
        return Status::Ok;
    }
    if (path.kind == Kind::LevelGroup) {
        const auto group = ParamValue::parseWhole(value);
        if (!group || *group < 0 || *group > 8)
            return usage(path, QStringLiteral("\"%1\" is not a group 0..8").arg(value));
        sendCommand(l.module, l.group, c, byte(*group));
        return Status::Ok;
    }
    const auto db = ParamValue::parseNumber(value);
    if (!db)
        return usage(path, QStringLiteral("\"%1\" is not a number").arg(value));
    const auto s = readLevel(path.outputs, c);
    if (!s)
        return Status::Failure;
    if (path.kind == Kind::LevelGain) {
        // The text field's range, then the channel's limits.
        const float typed =
            qBound(GainRules::LevelMin, float(qBound(-1000.0, *db, 1000.0)), GainRules::LevelMax);
        const float gain = GainRules::clampLevel(typed, s->lower, s->upper);
        if (double(gain) != *db)
            m_note = QStringLiteral("%1 is outside the channel's range %2..%3 dB: set to %4")
                         .arg(value)
                         .arg(qMax(s->lower, int(GainRules::LevelMin)))
                         .arg(s->upper)
                         .arg(ParamValue::gainText(double(gain)));
        sendCommand(l.module, l.gain, c, Le::bytes(GainRules::levelOnWire(gain)));
        return Status::Ok;
    }
    // The limits' spin boxes: whole dB within -56..12; both go together, the
    // other one as this command sets it, else as the unit has it.
    const int limit = *ParamValue::parseLimit(value);
    if (limit != *db)
        m_note = QStringLiteral("%1 set as %2 dB").arg(value).arg(limit);
    const Limits planned = m_plannedLimits.value(limitKey(path));
    const int upper = path.kind == Kind::LevelMax ? limit : planned.upper.value_or(s->upper);
    const int lower = path.kind == Kind::LevelMin ? limit : planned.lower.value_or(s->lower);
    if (upper < lower) {
        m_note.clear();
        return usage(path, limitsReversed(upper, lower));
    }
    sendCommand(l.module, l.limits, c, Le::bytes(qint8(upper), qint8(lower)));
    return Status::Ok;
}

ParamAccess::Status ParamAccess::writeSystem(const ParamPath &path, const QString &value)
{
    std::optional<int> index;
    if (path.kind == Kind::Rs232Baud) {
        const auto baud = ParamValue::parseWhole(value);
        index = baud ? DeviceStatus::baudIndex(quint32(qMax(0, *baud))) : -1;
        if (*index < 0)
            return usage(path,
                         QStringLiteral("\"%1\" is not 9600, 19200, 57600 or 115200").arg(value));
    } else if (path.kind == Kind::GateReport) {
        index = ParamValue::parseWhole(value);
        if (!index || *index < 0 || *index >= DeviceStatus::GateReportModes)
            return usage(path, QStringLiteral("\"%1\" is not 0 or 1").arg(value));
    }
    DeviceStatus status;
    if (!readSystem(status))
        return Status::Failure;
    switch (path.kind) {
    case Kind::Location:
    case Kind::Description: {
        // The rules of the settings page: cut to 16 bytes at a whole
        // character, nothing sent for an unchanged text.
        const QString kept =
            path.kind == Kind::Location ? status.setLocation(value) : status.setDescription(value);
        if (kept != value)
            m_note = QStringLiteral("cut to \"%1\" (the unit keeps %2 bytes)")
                         .arg(kept)
                         .arg(DeviceStatus::TextWidth);
        return Status::Ok;
    }
    case Kind::Rs232Baud:
        status.setRs232BaudIndex(*index);
        return Status::Ok;
    default:
        status.setGateReport(*index);
        return Status::Ok;
    }
}
