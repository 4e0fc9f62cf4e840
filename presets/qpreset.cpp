#include "presets/qpreset.h"

#include "model/unitstate.h"
#include "pages/operatorprompt.h"
#include "presets/presettransfer.h"
#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/localtext.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/fieldsync.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

namespace Cmd = Proto::PresetCmd;

constexpr int EntrySize = 1 + QPreset::NameBytes; // exists byte, then the name
constexpr int ListSize = 1 + QPreset::Slots * EntrySize;
constexpr int RowHeight = 28;
const char BootName[] = "Boot Default";

// Put before the number of the active preset in the table's row header.
const QChar CurrentMark(0x25B6);

const char CurrentStyle[] = "QPushButton{background: rgb(18, 183, 245);color: rgb(252, 240, 240);"
                            "border: 1px solid rgb(39, 129, 184);border-radius: 4px;}";

// A name field of the list: its bytes up to the first NUL, at most 16.
QByteArray nameBytes(const QByteArray &field)
{
    const int nul = field.indexOf('\0');
    return nul < 0 ? field : field.left(nul);
}

} // namespace

QPreset::QPreset(ProgressGuard *progress, QWidget *parent)
    : BlockPage(parent), m_progress(progress), m_transfer(new PresetTransfer(progress, this)),
      m_table(new QTableWidget(Slots, ColumnCount, this)), m_importAll(new QPushButton(this)),
      m_exportAll(new QPushButton(this))
{
    setObjectName(QStringLiteral("presetWidget"));
    // The table's look and that of its name fields and buttons (the selection
    // colour, borderless fields, a margin round each button) come from the
    // application's style sheet: a sheet of the table's own would be matched
    // again for each of its 192 controls.
    m_table->setObjectName(QStringLiteral("presetCtrlTableWidget"));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    // Tab goes from control to control in the cells (row by row), not from
    // cell to cell of the table.
    m_table->setTabKeyNavigation(false);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_table->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    QHeaderView *columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (int c = SaveColumn; c < ColumnCount; ++c) {
        columns->setSectionResizeMode(c, QHeaderView::Fixed);
        m_table->setColumnWidth(c, 92);
    }
    for (int c = 0; c < ColumnCount; ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem);
    for (int slot = 0; slot < Slots; ++slot) {
        m_table->setVerticalHeaderItem(slot, new QTableWidgetItem(QString::number(slot + 1)));
        buildRow(slot);
    }

    for (QPushButton *b : {m_importAll, m_exportAll}) {
        b->setObjectName(QStringLiteral("normalButton"));
        b->setFixedSize(110, 26);
    }
    connect(m_importAll, &QPushButton::clicked, this, &QPreset::importAllClicked);
    connect(m_exportAll, &QPushButton::clicked, this, &QPreset::exportAllClicked);
    connect(m_transfer, &PresetTransfer::failed, this, &QPreset::transferFailed);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(8);
    buttons->addStretch(1);
    buttons->addWidget(m_importAll);
    buttons->addWidget(m_exportAll);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    retranslate();
}

void QPreset::buildRow(int slot)
{
    // Made in the table's viewport, where the cells keep them; they are put
    // into their cells when the page is first shown (placeCells()).
    QWidget *cells = m_table->viewport();
    Row &row = m_rows[size_t(slot)];
    row.name = new QLineEdit(cells);
    row.name->setObjectName(QStringLiteral("presetNameEdit"));
    connect(row.name, &QLineEdit::editingFinished, this, &QPreset::nameEditingFinished);
    // A right click (or the menu key) on a name offers renaming and the
    // slot's commands; a double click or F2 selects the name to type a new one.
    row.name->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(row.name, &QWidget::customContextMenuRequested, this, [this, slot](const QPoint &pos) {
        QMenu *menu = slotMenu(slot);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_rows[size_t(slot)].name->mapToGlobal(pos));
    });
    row.name->installEventFilter(this);

    using Slot = void (QPreset::*)();
    const std::array<Slot, ColumnCount> handlers{nullptr,
                                                 &QPreset::saveClicked,
                                                 &QPreset::loadClicked,
                                                 &QPreset::deleteClicked,
                                                 &QPreset::importClicked,
                                                 &QPreset::exportClicked};
    for (int c = SaveColumn; c < ColumnCount; ++c) {
        auto *b = new QPushButton(cells);
        b->setObjectName(QStringLiteral("normalButton"));
        b->installEventFilter(this); // scrolls its row into view when it takes the focus
        connect(b, &QPushButton::clicked, this, handlers[size_t(c)]);
        row.buttons[size_t(c)] = b;
    }
    // Nothing to recall, export or delete until the unit reports a preset.
    setExists(slot, false);
}

void QPreset::retranslate()
{
    static const char *const titles[ColumnCount] = {QT_TR_NOOP("Name"),   QT_TR_NOOP("Save"),
                                                    QT_TR_NOOP("Load"),   QT_TR_NOOP("Delete"),
                                                    QT_TR_NOOP("Import"), QT_TR_NOOP("Export")};
    const QFont font = appFont(9);
    m_table->horizontalHeaderItem(NameColumn)->setText(tr(titles[NameColumn]));
    m_table->horizontalHeader()->setFont(appFont(9, true));
    m_table->verticalHeader()->setFont(font);
    for (int slot = 0; slot < Slots; ++slot) {
        Row &row = m_rows[size_t(slot)];
        QFont nameFont = font;
        nameFont.setBold(slot == m_current);
        row.name->setFont(nameFont);
        for (int c = SaveColumn; c < ColumnCount; ++c) {
            row.buttons[size_t(c)]->setText(tr(titles[c]));
            row.buttons[size_t(c)]->setFont(font);
        }
        // The 32 rows alike: the names say which slot ("Preset 3, Save").
        const QString preset = tr("Preset %1").arg(slot + 1);
        row.name->setAccessibleName(preset + QStringLiteral(", ") + tr(titles[NameColumn]));
        for (int c = SaveColumn; c < ColumnCount; ++c)
            row.buttons[size_t(c)]->setAccessibleName(preset + QStringLiteral(", ") +
                                                      tr(titles[c]));
    }
    // The boot preset's name is shown in the current language.
    if (!m_rows[0].name->isModified())
        m_rows[0].name->setText(shownName(0));
    if (m_current < Slots)
        markCurrent(m_current, true);
    m_importAll->setText(tr("Import All"));
    m_exportAll->setText(tr("Export All"));
    m_importAll->setFont(font);
    m_exportAll->setFont(font);
}

void QPreset::placeCells()
{
    // A control put into a cell is polished at once, shown or not: done for
    // all 192 at start, that would be a tenth of the program's start.
    if (m_cellsPlaced)
        return;
    m_cellsPlaced = true;
    for (int slot = 0; slot < Slots; ++slot) {
        Row &row = m_rows[size_t(slot)];
        m_table->setCellWidget(slot, NameColumn, row.name);
        for (int c = SaveColumn; c < ColumnCount; ++c)
            m_table->setCellWidget(slot, c, row.buttons[size_t(c)]);
    }
}

void QPreset::showEvent(QShowEvent *event)
{
    placeCells();
    BlockPage::showEvent(event);
}

QLineEdit *QPreset::nameField(int slot) const
{
    return slot >= 0 && slot < Slots ? m_rows[size_t(slot)].name : nullptr;
}

QPushButton *QPreset::button(int slot, Column column) const
{
    if (slot < 0 || slot >= Slots || column <= NameColumn || column >= ColumnCount)
        return nullptr;
    return m_rows[size_t(slot)].buttons[size_t(column)];
}

int QPreset::slotOf(QObject *control, Column column) const
{
    for (int slot = 0; slot < Slots; ++slot) {
        const Row &row = m_rows[size_t(slot)];
        if (column == NameColumn ? control == row.name : control == row.buttons[size_t(column)])
            return slot;
    }
    return -1;
}

QString QPreset::shownName(int slot) const
{
    const QByteArray &stored = m_rows[size_t(slot)].stored;
    if (slot == 0 && stored == BootName)
        return tr("Boot Default");
    return LocalText::decode(stored);
}

void QPreset::refresh()
{
    sendPacket(Proto::OpBlock, Module, Cmd::List, Proto::FlagRead);
}

void QPreset::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    AnswerReader answer(flag, length, payload);
    switch (cmd) {
    case Cmd::List:
        if (answer.exact(ListSize))
            showList(answer);
        break;
    case Cmd::Recall:
        if (answer.atLeast(1))
            showRecallProgress(answer.i8(0));
        break;
    default:
        if (cmd >= Cmd::ExportOne && cmd <= Cmd::ImportData)
            m_transfer->receive(cmd, flag, length, payload);
        break;
    }
}

void QPreset::showList(const AnswerReader &answer)
{
    if (const auto current = answer.index(0, Slots); current && *current != m_current) {
        if (m_current < Slots)
            markCurrent(m_current, false);
        m_current = *current;
        markCurrent(m_current, true);
    }
    for (int slot = 0; slot < Slots; ++slot) {
        const int at = 1 + slot * EntrySize;
        Row &row = m_rows[size_t(slot)];
        const bool exists = answer.u8(at) != 0;
        if (exists != row.exists)
            setExists(slot, exists);
        const QByteArray name = nameBytes(answer.bytes(at + 1, NameBytes));
        if (name == row.stored)
            continue;
        row.stored = name;
        // A name the operator is typing stays; editing finished decides.
        FieldSync::showText(row.name, shownName(slot));
    }
}

// The active preset: its "Load" button coloured, its number marked and its
// name in bold, so that it stands out without relying on the colour alone.
void QPreset::markCurrent(int slot, bool current)
{
    Row &row = m_rows[size_t(slot)];
    row.buttons[LoadColumn]->setStyleSheet(current ? QString::fromLatin1(CurrentStyle) : QString());
    QTableWidgetItem *header = m_table->verticalHeaderItem(slot);
    header->setText(current ? CurrentMark + QLatin1Char(' ') + QString::number(slot + 1)
                            : QString::number(slot + 1));
    header->setToolTip(current ? tr("Active preset") : QString());
    QFont font = row.name->font();
    font.setBold(current);
    row.name->setFont(font);
}

void QPreset::setExists(int slot, bool exists)
{
    Row &row = m_rows[size_t(slot)];
    row.exists = exists;
    for (Column c : {LoadColumn, ExportColumn, DeleteColumn})
        row.buttons[size_t(c)]->setEnabled(exists);
}

void QPreset::showRecallProgress(int percent)
{
    if (percent == 0)
        m_progress->start(this, tr("Loading..."), 100);
    else if (percent == 100)
        m_progress->finish(this);
    else if (percent > 0 && percent < 100)
        m_progress->step(this, percent);
}

void QPreset::nameEditingFinished()
{
    const int slot = slotOf(sender(), NameColumn);
    if (slot < 0)
        return;
    Row &row = m_rows[size_t(slot)];
    {
        const QSignalBlocker blocker(row.name);
        row.name->clearFocus();
    }
    // Leaving a field the operator did not edit renames nothing (the boot
    // preset's translated name is not its stored name).
    if (!row.name->isModified()) {
        row.name->setText(shownName(slot));
        return;
    }
    const QByteArray bytes = LocalText::encode(row.name->text());
    if (bytes.size() > NameBytes)
        tooLong();
    if (bytes.isEmpty() || bytes.size() > NameBytes) {
        row.name->setText(shownName(slot));
        return;
    }
    rename(slot, bytes);
}

void QPreset::tooLong()
{
    OperatorPrompt::current().ask(this, QMessageBox::Warning, tr("Preset"),
                                  tr("The preset name's length can not be greater than 16 "
                                     "bytes, please enter again!"),
                                  {tr("OK")});
}

void QPreset::rename(int slot, const QByteArray &bytes)
{
    Row &row = m_rows[size_t(slot)];
    row.stored = bytes;
    row.name->setText(shownName(slot));
    row.name->setModified(false);
    sendPacket(Proto::OpBlock, Module, Cmd::Rename, Proto::FlagWrite,
               QByteArray(1, char(slot)) + bytes);
}

void QPreset::startRename(int slot)
{
    if (slot < 0 || slot >= Slots)
        return;
    placeCells();
    m_table->scrollTo(m_table->model()->index(slot, NameColumn));
    QLineEdit *name = m_rows[size_t(slot)].name;
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
}

QString QPreset::offeredName(int slot) const
{
    if (slot < 0 || slot >= Slots)
        return QString();
    if (!m_rows[size_t(slot)].stored.isEmpty())
        return shownName(slot);
    return tr("Preset %1").arg(slot + 1);
}

QMenu *QPreset::slotMenu(int slot)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("presetSlotMenu"));
    const bool exists = slot >= 0 && slot < Slots && m_rows[size_t(slot)].exists;
    menu->addAction(tr("Rename"), this, [this, slot] { startRename(slot); });
    menu->addSeparator();
    menu->addAction(tr("Save"), this, [this, slot] { save(slot); });
    menu->addAction(tr("Load"), this, [this, slot] { load(slot); })->setEnabled(exists);
    menu->addAction(tr("Delete"), this, [this, slot] { remove(slot); })->setEnabled(exists);
    return menu;
}

bool QPreset::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        // A control reached with Tab brings its row into view.
        for (int c = NameColumn; c < ColumnCount; ++c)
            if (const int slot = slotOf(watched, Column(c)); slot >= 0)
                m_table->scrollTo(m_table->model()->index(slot, c));
        break;
    case QEvent::MouseButtonDblClick:
        if (field) {
            field->setFocus(Qt::MouseFocusReason);
            field->selectAll();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (field && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
            field->selectAll();
            return true;
        }
        break;
    default:
        break;
    }
    return BlockPage::eventFilter(watched, event);
}

bool QPreset::confirm(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    return OperatorPrompt::current().ask(this, icon, title, text, {tr("OK"), tr("Cancel")}) == 0;
}

void QPreset::sendSlotCommand(quint8 cmd, int slot)
{
    sendPacket(Proto::OpBlock, Module, cmd, Proto::FlagWrite, QByteArray(1, char(slot)));
}

// Saving names the slot and offers the name to give it; a name other than
// the slot's own is sent as a rename right after the save.
void QPreset::save(int slot)
{
    QString name = offeredName(slot);
    const QString question =
        tr("Save the current settings into preset %1?\n\nName of the preset:").arg(slot + 1);
    if (!OperatorPrompt::current().askText(this, tr("Save preset"), question, name, NameBytes))
        return;
    name = name.trimmed();
    const QByteArray bytes = LocalText::encode(name);
    if (bytes.size() > NameBytes) {
        tooLong();
        return;
    }
    sendSlotCommand(Cmd::Save, slot);
    const Row &row = m_rows[size_t(slot)];
    if (!bytes.isEmpty() && !(name == shownName(slot) && !row.stored.isEmpty()))
        rename(slot, bytes);
}

void QPreset::load(int slot)
{
    if (confirm(QMessageBox::Warning, tr("warning"), tr("Load preset?"))) {
        sendSlotCommand(Cmd::Recall, slot);
        state().announceReplaced(tr("A preset was recalled"));
    }
}

void QPreset::remove(int slot)
{
    if (confirm(QMessageBox::Warning, tr("warning"), tr("Delete preset?")))
        sendSlotCommand(Cmd::Delete, slot);
}

void QPreset::saveClicked()
{
    if (const int slot = slotOf(sender(), SaveColumn); slot >= 0)
        save(slot);
}

void QPreset::loadClicked()
{
    if (const int slot = slotOf(sender(), LoadColumn); slot >= 0)
        load(slot);
}

void QPreset::deleteClicked()
{
    if (const int slot = slotOf(sender(), DeleteColumn); slot >= 0)
        remove(slot);
}

QString QPreset::askFile(bool save, bool all)
{
    const QString caption = all ? tr("pstl Files") : tr("pst Files");
    const QString filter = all ? tr("pstl Files (*.pstl)") : tr("pst Files (*.pst)");
    OperatorPrompt &prompt = OperatorPrompt::current();
    QString path = save ? prompt.saveFileName(this, caption, QDir::currentPath(), filter)
                        : prompt.openFileName(this, caption, QDir::currentPath(), filter);
    // A saved file gets its extension when the operator typed a bare name.
    const QString suffix = all ? QStringLiteral("pstl") : QStringLiteral("pst");
    if (save && !path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

void QPreset::importClicked()
{
    const int slot = slotOf(sender(), ImportColumn);
    if (slot < 0)
        return;
    const QString path = askFile(false, false);
    if (!path.isEmpty())
        m_transfer->beginImport(slot, path);
}

void QPreset::exportClicked()
{
    const int slot = slotOf(sender(), ExportColumn);
    if (slot < 0)
        return;
    const QString path = askFile(true, false);
    if (!path.isEmpty())
        m_transfer->beginExport(slot, path);
}

void QPreset::importAllClicked()
{
    const QString path = askFile(false, true);
    if (!path.isEmpty())
        m_transfer->beginImport(PresetTransfer::AllSlots, path);
}

void QPreset::exportAllClicked()
{
    const QString path = askFile(true, true);
    if (!path.isEmpty())
        m_transfer->beginExport(PresetTransfer::AllSlots, path);
}

void QPreset::transferFailed(const QString &title, const QString &text)
{
    OperatorPrompt::current().inform(this, QMessageBox::Critical, title, text);
}
