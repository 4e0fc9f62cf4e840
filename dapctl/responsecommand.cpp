#include "dapctl/responsecommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/unitlink.h"
#include "model/unitstate.h"
#include "pages/filters/filterparams.h"
#include "pages/filters/filterresponse.h"
#include "pages/filters/filtertables.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"

#include <QRegularExpression>

namespace {

constexpr int Bands = FilterResponse::MaxBands;

QString cutText(const CutFilterRecord &r)
{
    static const char *const types[] = {"Bessel", "Butterworth", "Link-Riley"};
    static const char *const slopes[] = {"-6", "-12", "-18", "-24", "-36", "-48"};
    if (!r.enable)
        return QStringLiteral("off");
    return QStringLiteral("%1 %2 dB/oct %3 Hz")
        .arg(QLatin1String(types[r.type % 3]), QLatin1String(slopes[r.slope % 6]))
        .arg(double(r.frequency));
}

} // namespace

QString ResponseCommand::summary() const
{
    return QStringLiteral("print the magnitude response of a channel's filters");
}

QString ResponseCommand::description() const
{
    return QStringLiteral(
        "Reads the high-pass, low-pass and equaliser bands of input or output N and prints one "
        "line per frequency of the filter graph (420 points from 10 Hz to 32 kHz): the "
        "frequency in Hz and the total response in dB. --csv prints \"frequency_hz,total_db\" "
        "rows under a header.");
}

unsigned ResponseCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::CsvOption;
}

int ResponseCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 2)
        return usageError(console, QStringLiteral("give a unit and a channel"));
    static const QRegularExpression channelPattern(QStringLiteral("^(input|output)\\.(\\d+)$"));
    const QRegularExpressionMatch m = channelPattern.match(args[1].toLower());
    const int channel = m.hasMatch() ? m.captured(2).toInt() - 1 : -1;
    if (channel < 0 || channel >= 16)
        return usageError(console, QStringLiteral("\"%1\" is no channel: give input.N or "
                                                  "output.N with N 1..16")
                                       .arg(args[1]));
    const bool outputs = m.captured(1) == QLatin1String("output");

    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;

    // The channel's records as the unit model reads them, answered into a
    // state of their own: the same reading of the answers as the filter page's.
    Model::UnitState state;
    const FilterParams params(outputs);
    QVector<Model::RecordId> records{params.cutRecord(FilterResponse::HighPass, channel),
                                     params.cutRecord(FilterResponse::LowPass, channel)};
    for (int b = 0; b < Bands; ++b)
        records.append(params.bandRecord(channel, b));
    QVector<UnitLink::Request> reads{
        {Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::DspVersion, {}}};
    for (const Model::RecordId &rec : records) {
        const Proto::Frame read = state.readFrame(rec);
        reads.append({read.op, read.module, read.cmd, read.payload, int(read.payload.size())});
    }
    const auto answers = link.readAll(reads);
    for (const auto &a : answers)
        if (!a)
            return failure(console, link.errorString());

    FilterResponse response;
    const Proto::Frame &version = *answers[0];
    AnswerReader versionAnswer(version.flag, version.length, version.payload);
    if (versionAnswer.exact(3))
        response.setBandCount(FilterTables::bandCount(versionAnswer.u8(0), versionAnswer.u8(1)));
    for (int i = 1; i < answers.size(); ++i)
        if (!state.apply(*answers[i]))
            return failure(console, QStringLiteral("the unit's filter answer is not one the "
                                                   "program can read"));
    params.fillResponse(response, state, channel);
    CutFilterRecord cuts[2];
    int enabled = 0;
    for (int which : {FilterResponse::HighPass, FilterResponse::LowPass})
        cuts[which] = params.cutValues(state, FilterResponse::Cut(which), channel);
    for (int b = 0; b < response.bandCount(); ++b)
        if (params.bandValues(state, channel, b).enable)
            ++enabled;

    QTextStream &out = console.out();
    const auto &freq = FilterTables::frequencies();
    const auto &curve = response.curve();
    if (options.csv) {
        out << "frequency_hz,total_db\n";
        for (int i = 0; i < FilterResponse::Points; ++i)
            out << QString::number(freq[size_t(i)], 'g', 6) << ','
                << QString::number(double(curve[size_t(i)]), 'f', 3) << '\n';
    } else {
        out << "# " << (outputs ? "output " : "input ") << channel + 1 << ": high-pass "
            << cutText(cuts[FilterResponse::HighPass]) << ", low-pass "
            << cutText(cuts[FilterResponse::LowPass]) << ", " << enabled << " of "
            << response.bandCount() << " bands on\n";
        out << "#  frequency (Hz)  response (dB)\n";
        for (int i = 0; i < FilterResponse::Points; ++i)
            out << QString::asprintf("%16.1f %14.2f\n", freq[size_t(i)], double(curve[size_t(i)]));
    }
    console.flush();
    return ExitOk;
}
