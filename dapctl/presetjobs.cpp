#include "dapctl/presetjobs.h"

#include "dapctl/progressbar.h"
#include "dapctl/unitlink.h"
#include "presets/presettransfer.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"
#include "unitlink/presetlist.h"

namespace {
constexpr quint8 PresetModule = Proto::Module::Preset;
}

PresetJobs::PresetJobs(UnitLink &link, CtlConsole &console, QObject *parent)
    : QObject(parent), m_link(link), m_guard(new ProgressGuard(this)),
      m_bar(new ProgressBar(m_guard, console, this)), m_transfer(new PresetTransfer(m_guard, this))
{
    // The unit paces the transfer; a silence as long as the time-out ends it.
    m_guard->setInterval(qMax(ProgressGuard::DefaultInterval, link.timeoutMs()));
    connect(&link, &UnitLink::frameReceived, this, [this](const Proto::Frame &f) {
        if (f.op == Proto::OpBlock && f.module == PresetModule)
            m_transfer->receive(f.cmd, f.flag, f.length, f.payload);
    });
}

PresetJobs::~PresetJobs() = default;

bool PresetJobs::runTransfer(const std::function<bool()> &begin)
{
    enum
    {
        Running,
        Done,
        Failed
    } state = Running;
    // Connected before the transfer begins: a file refused at the start
    // fails at once.
    const auto a = connect(m_transfer, &PresetTransfer::finished, this, [&] { state = Done; });
    const auto b = connect(m_transfer, &PresetTransfer::failed, this,
                           [&](const QString &, const QString &text) {
                               state = Failed;
                               m_error = text;
                           });
    const auto c = connect(m_guard, &ProgressGuard::timedOut, this, [&] {
        state = Failed;
        m_error = QStringLiteral("the unit stopped answering; the transfer did not finish");
    });
    if (begin())
        m_link.waitUntil([&] { return state != Running; });
    disconnect(a);
    disconnect(b);
    disconnect(c);
    if (state == Running) {
        m_error = m_link.isOpen()
                      ? QStringLiteral("the unit did not answer the transfer within %1 s")
                            .arg(m_link.timeoutMs() / 1000.0)
                      : QStringLiteral("the unit closed the connection during the transfer");
        // Ends the transfer too: an export in progress leaves its file as it was.
        m_guard->finish(m_transfer);
    }
    m_dataMoved = m_transfer->dataMoved();
    m_bar->finish(state == Done);
    return state == Done;
}

bool PresetJobs::exportTo(int slot, const QString &path)
{
    return runTransfer([&] {
        m_transfer->beginExport(slot, path);
        return true;
    });
}

bool PresetJobs::importFrom(int slot, const QString &path)
{
    return runTransfer([&] { return m_transfer->beginImport(slot, path); });
}

bool PresetJobs::recall(int slot)
{
    // The unit reports the recall's progress: 0 start, 100 done.
    bool done = false;
    const auto c = connect(&m_link, &UnitLink::frameReceived, this, [&](const Proto::Frame &f) {
        if (f.op != Proto::OpBlock || f.module != PresetModule || f.cmd != Proto::PresetCmd::Recall)
            return;
        AnswerReader answer(f.flag, f.length, f.payload);
        if (!answer.atLeast(1))
            return;
        const int percent = answer.i8(0);
        if (percent == 0)
            m_guard->start(this, tr("Loading..."), 100);
        else if (percent >= 100)
            done = true;
        else
            m_guard->step(this, percent);
    });
    sendPacket(Proto::OpBlock, PresetModule, Proto::PresetCmd::Recall, Proto::FlagWrite,
               QByteArray(1, char(slot)));
    // A unit that reports no progress is asked for its list after the time-out.
    m_link.waitUntil([&] { return done; });
    disconnect(c);
    m_guard->finish(this);
    m_bar->finish(done);
    const std::optional<PresetList> list = readPresetList(m_link, m_error);
    if (!list)
        return false;
    if (list->current != slot) {
        m_error = QStringLiteral("the unit did not recall preset %1").arg(slot + 1);
        return false;
    }
    return true;
}
