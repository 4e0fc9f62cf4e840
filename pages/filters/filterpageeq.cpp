// Equaliser files on a filter page: the import with its preview, the one
// operation that applies a filter set, and the export.

#include "model/unitstate.h"
#include "pages/filters/eqimport.h"
#include "pages/filters/eqimportdialog.h"
#include "pages/filters/filterpage.h"
#include "pages/operatorprompt.h"
#include "protocol/transport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

QString withSuffix(const QString &name)
{
    return QFileInfo(name).suffix().isEmpty() ? name + QStringLiteral(".txt") : name;
}

QString fileFilter()
{
    return FilterPage::tr("Equaliser files (*.txt *.cfg);;All files (*)");
}

} // namespace

QString FilterPage::channelName() const
{
    return QString::fromLatin1(m_config.channelPrefix) + QString::number(m_channel + 1);
}

bool FilterPage::channelReady(const QString &title)
{
    bool known = cutKnown(HighCut) && cutKnown(LowCut);
    for (int b = 0; b < bandCount(); ++b)
        known = known && bandKnown(b);
    if (!known)
        OperatorPrompt::current().inform(
            this, QMessageBox::Information, title,
            tr("The filters of %1 have not been read from the unit yet. Try again when the "
               "unit is connected and the page shows them.")
                .arg(channelName()));
    return known;
}

void FilterPage::importEq()
{
    const QString name =
        OperatorPrompt::current().openFileName(this, tr("Import EQ"), QString(), fileFilter());
    if (!name.isEmpty())
        importEqFile(name);
}

void FilterPage::exportEq()
{
    const QString name =
        OperatorPrompt::current().saveFileName(this, tr("Export EQ"), QString(), fileFilter());
    if (!name.isEmpty())
        exportEqFile(withSuffix(name));
}

bool FilterPage::importEqFile(const QString &fileName)
{
    EqFilterSet set;
    QString error;
    if (!EqFile::read(fileName, &set, &error)) {
        OperatorPrompt::current().inform(
            this, QMessageBox::Warning, tr("Import EQ"),
            tr("%1 cannot be imported:\n%2").arg(QDir::toNativeSeparators(fileName), error));
        return false;
    }
    if (!channelReady(tr("Import EQ")))
        return false;
    // What is pending goes out first, so the preview starts from what the
    // unit will hold.
    deferred().flush();
    const EqImport plan(set, EqChannel::of(state(), m_params, m_channel, bandCount()));
    delete m_eqDialog;
    m_eqDialog = new EqImportDialog(plan, channelName(), QFileInfo(fileName).fileName(), this);
    const int channel = m_channel;
    connect(m_eqDialog, &QDialog::accepted, this, [this, channel] {
        if (!applyFilterSet(channel, m_eqDialog->result()))
            channelReady(tr("Import EQ"));
    });
    m_eqDialog->open();
    return true;
}

EqImportDialog *FilterPage::eqImportDialog() const
{
    return m_eqDialog;
}

bool FilterPage::applyFilterSet(int channel, const EqChannel &target)
{
    if (channel != m_channel)
        return false;
    bool known = cutKnown(HighCut) && cutKnown(LowCut);
    for (int b = 0; b < target.bandCount; ++b)
        known = known && bandKnown(b);
    if (!known)
        return false;
    deferred().flush();
    const QVector<Model::ParamId> changed = target.store(state(), m_params, m_channel);
    for (const Proto::Frame &frame : state().writeFrames(changed))
        sendFrame(frame);
    showChannel();
    showEditable();
    // Answers to reads sent before the writes would show the old values.
    deferred().startHold();
    return true;
}

bool FilterPage::exportEqFile(const QString &fileName)
{
    if (!channelReady(tr("Export EQ")))
        return false;
    const EqChannel channel = EqChannel::of(state(), m_params, m_channel, bandCount());
    const QStringList comments{QStringLiteral("Filters of %1 (%2 bands), %3")
                                   .arg(channelName())
                                   .arg(channel.bandCount)
                                   .arg(QDateTime::currentDateTime().toString(Qt::ISODate))};
    QString error;
    if (EqFile::save(fileName, EqFile::format(comments, channel.toFilters()), &error))
        return true;
    OperatorPrompt::current().inform(this, QMessageBox::Warning, tr("Export EQ"), error);
    return false;
}
