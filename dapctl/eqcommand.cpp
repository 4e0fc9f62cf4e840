#include "dapctl/eqcommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/statelink.h"
#include "dapctl/unitlink.h"
#include "model/unitstate.h"
#include "pages/filters/eqfile.h"
#include "pages/filters/eqimport.h"
#include "pages/filters/filterparams.h"
#include "pages/filters/filtertables.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "unitlink/printable.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

constexpr int Bands = FilterResponse::MaxBands;

// Reads the unit's band count and the channel's records into `state`.
bool readChannel(UnitLink &link, Model::UnitState &state, const FilterParams &params, int channel,
                 int *bandCount, QString *error)
{
    const auto version = link.readAll(
        {{Proto::OpSystem, Proto::SysModule::Settings, Proto::SettingsCmd::DspVersion, {}}});
    if (version.isEmpty() || !version[0]) {
        *error = link.errorString();
        return false;
    }
    const Proto::Frame &v = *version[0];
    AnswerReader answer(v.flag, v.length, v.payload);
    *bandCount = answer.exact(3) ? FilterTables::bandCount(answer.u8(0), answer.u8(1)) : Bands;
    QVector<Model::RecordId> records{params.cutRecord(FilterResponse::HighPass, channel),
                                     params.cutRecord(FilterResponse::LowPass, channel)};
    for (int b = 0; b < Bands; ++b)
        records.append(params.bandRecord(channel, b));
    StateLink io(link);
    if (!io.read(state, records)) {
        *error = io.errorString();
        return false;
    }
    return true;
}

} // namespace

QString EqCommand::summary() const
{
    return QStringLiteral("import an equaliser file onto a channel, or export its filters");
}

QString EqCommand::description() const
{
    return QStringLiteral(
        "import reads FILE, a measurement program's filter list (\"Filter 1: ON PK Fc 63 Hz "
        "Gain -4.5 dB Q 4.32\" lines, Preamp lines), places peaking filters and shelves on the "
        "channel's bands and high- and low-pass filters on its cut filters, switches off what "
        "the file does not use, and prints what came of each filter: placed as asked, "
        "approximated (what the unit will do), or not placed and why, with the largest "
        "deviation of the unit's curve from the file's between 20 Hz and 20 kHz. It then writes "
        "the records that change; with --dry-run it sends nothing. A file with a line it "
        "cannot read is refused before anything is sent.\n"
        "export writes the channel's bands and cut filters to FILE in the same format.");
}

unsigned EqCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::DryRunOption;
}

int EqCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 4)
        return usageError(console, QStringLiteral("give a unit, a channel, import or export, and "
                                                  "a file"));
    static const QRegularExpression channelPattern(QStringLiteral("^(input|output)\\.(\\d{1,2})$"));
    const QRegularExpressionMatch m = channelPattern.match(args[1].toLower());
    const int channel = m.hasMatch() ? m.captured(2).toInt() - 1 : -1;
    if (channel < 0 || channel >= 16)
        return usageError(console, QStringLiteral("\"%1\" is no channel: give input.N or "
                                                  "output.N with N 1..16")
                                       .arg(printable(args[1])));
    const bool outputs = m.captured(1) == QLatin1String("output");
    const QString channelName =
        QStringLiteral("%1.%2").arg(outputs ? "output" : "input").arg(channel + 1);
    const QString &action = args[2];
    const QString &fileName = args[3];
    const bool importing = action == QLatin1String("import");
    if (!importing && action != QLatin1String("export"))
        return usageError(
            console, QStringLiteral("\"%1\" is neither import nor export").arg(printable(action)));
    if (!importing && options.dryRun)
        return usageError(console, QStringLiteral("--dry-run is for import"));

    // The file is checked whole before the unit is asked anything.
    EqFilterSet set;
    QString error;
    if (importing && !EqFile::read(fileName, &set, &error))
        return failure(console,
                       printable(QStringLiteral("%1: %2; nothing was sent").arg(fileName, error)));

    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    Model::UnitState state;
    const FilterParams params(outputs);
    int bandCount = Bands;
    if (!readChannel(link, state, params, channel, &bandCount, &error))
        return failure(console, error);
    const EqChannel current = EqChannel::of(state, params, channel, bandCount);
    QTextStream &out = console.out();

    if (!importing) {
        const QStringList comments{QStringLiteral("Filters of %1 (%2 bands), %3")
                                       .arg(channelName)
                                       .arg(bandCount)
                                       .arg(QDateTime::currentDateTime().toString(Qt::ISODate))};
        const QVector<EqFilter> filters = current.toFilters();
        if (!EqFile::save(fileName, EqFile::format(comments, filters), &error))
            return failure(console, printable(error));
        out << printable(QStringLiteral("wrote %1: %2 filters of %3")
                             .arg(fileName)
                             .arg(filters.size())
                             .arg(channelName))
            << '\n';
        console.flush();
        return ExitOk;
    }

    const EqImport plan(set, current);
    for (const QString &line : plan.report(channelName))
        out << printable(line) << '\n';
    if (options.dryRun) {
        out << "dry run: nothing was sent\n";
        console.flush();
        return ExitOk;
    }
    const QVector<Model::ParamId> changed = plan.result().store(state, params, channel);
    const QVector<Proto::Frame> frames = state.writeFrames(changed);
    StateLink(link).send(frames);
    // The unit has taken the writes once it answers a read sent after them.
    if (!link.sync())
        return failure(console, link.errorString());
    out << QStringLiteral("wrote %1 values in %2 frames\n").arg(changed.size()).arg(frames.size());
    console.flush();
    return ExitOk;
}
