#include "app/configurationactions.h"

#include "app/differencesdialog.h"
#include "app/mainwindow.h"
#include "app/offlineunit.h"
#include "app/unittransfer.h"
#include "dapctl/configcompare.h"
#include "devices/devicemanager.h"
#include "devices/loginsession.h"
#include "devices/qdevicetable.h"
#include "model/edithistory.h"
#include "model/unitstate.h"
#include "pages/funcwidget.h"
#include "pages/operatorprompt.h"
#include "protocol/transport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTcpSocket>
#include <QTemporaryDir>

namespace {

const QString ScratchConnected = QStringLiteral("connected.json");
const QString ScratchOther = QStringLiteral("other.json");

} // namespace

ConfigurationActions::ConfigurationActions(MainWindow *window, QMenu *menu)
    : QObject(window), m_window(window), m_menu(menu), m_offlineAction(menu->addAction(QString())),
      m_openAction(menu->addAction(QString())), m_saveAction(menu->addAction(QString())),
      m_sendAction(nullptr), m_compareAction(nullptr), m_offline(new OfflineUnit(this))
{
    menu->addSeparator();
    m_sendAction = menu->addAction(QString());
    m_compareAction = menu->addAction(QString());
    m_offlineAction->setObjectName(QStringLiteral("workOffline"));
    m_openAction->setObjectName(QStringLiteral("openConfiguration"));
    m_saveAction->setObjectName(QStringLiteral("saveConfiguration"));
    m_sendAction->setObjectName(QStringLiteral("sendToUnit"));
    m_compareAction->setObjectName(QStringLiteral("compareWith"));
    m_openAction->setShortcut(QKeySequence::Open);
    m_saveAction->setShortcut(QKeySequence::Save);
    connect(m_offlineAction, &QAction::triggered, this,
            &ConfigurationActions::workOfflineTriggered);
    connect(m_openAction, &QAction::triggered, this, &ConfigurationActions::openTriggered);
    connect(m_saveAction, &QAction::triggered, this, &ConfigurationActions::saveTriggered);
    connect(m_sendAction, &QAction::triggered, this, &ConfigurationActions::sendTriggered);
    connect(m_compareAction, &QAction::triggered, this, &ConfigurationActions::compareTriggered);

    Model::EditHistory *history = window->funcWidget()->history();
    connect(history, &Model::EditHistory::changed, this, [this, history] {
        if (history->canUndo() || history->canRedo())
            setModified();
    });
    retranslate();
}

ConfigurationActions::~ConfigurationActions() = default;

void ConfigurationActions::retranslate()
{
    m_menu->setTitle(tr("File"));
    m_offlineAction->setText(tr("Work Offline"));
    m_openAction->setText(tr("Open Configuration…"));
    m_saveAction->setText(tr("Save Configuration…"));
    m_sendAction->setText(tr("Send to Unit…"));
    m_compareAction->setText(tr("Compare with…"));
}

QString ConfigurationActions::decorate(const QString &title) const
{
    if (m_file.isEmpty() && !m_modified)
        return title;
    // Edits of the offline unit not yet in any file: "Untitled*".
    const QString name = m_file.isEmpty() ? tr("Untitled") : QFileInfo(m_file).fileName();
    return name + (m_modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + title;
}

int ConfigurationActions::offlineRow() const
{
    return m_window->deviceTable()->manager()->rowOf(OfflineUnit::MachineId);
}

DifferencesDialog *ConfigurationActions::differences()
{
    if (!m_dialog) {
        m_dialog = new DifferencesDialog(m_window);
        connect(m_dialog, &DifferencesDialog::sendRequested, this, &ConfigurationActions::send);
    }
    return m_dialog;
}

void ConfigurationActions::fail(const QString &text)
{
    OperatorPrompt::current().inform(m_window, QMessageBox::Critical, tr("error"), text);
}

bool ConfigurationActions::workOffline(const QString &file)
{
    QString error;
    if (!m_offline->start(&error)) {
        fail(tr("The offline unit cannot start: %1").arg(error));
        return false;
    }
    if (!file.isEmpty()) {
        UnitAddress unit;
        unit.address = QHostAddress(QHostAddress::LocalHost);
        unit.port = m_offline->port();
        QString report;
        if (!UnitTransfer::restore(unit, file, &report, &error)) {
            fail(tr("%1 cannot be loaded: %2").arg(QDir::toNativeSeparators(file), error));
            return false;
        }
    }
    int row = offlineRow();
    if (row < 0)
        row = m_window->deviceTable()->addLocalUnit(m_offline->record(), m_offline->port());
    if (m_window->deviceTable()->selectedRow() == row && !file.isEmpty())
        m_window->funcWidget()->unitState()->announceReplaced(tr("A configuration was opened"));
    else
        m_window->devChanged(row);
    setFile(file, false);
    return true;
}

bool ConfigurationActions::openConfiguration(const QString &file)
{
    return maySave() && workOffline(file);
}

bool ConfigurationActions::saveConfiguration(const QString &file)
{
    UnitAddress unit;
    if (!connectedAddress(&unit)) {
        fail(tr("No unit is connected."));
        return false;
    }
    QString error;
    if (!UnitTransfer::backup(unit, file, &error)) {
        fail(tr("The configuration cannot be saved: %1").arg(error));
        return false;
    }
    setFile(file, false);
    return true;
}

bool ConfigurationActions::maySave()
{
    if (!m_modified)
        return true;
    const int answer = OperatorPrompt::current().ask(
        m_window, QMessageBox::Warning, tr("Unsaved changes"),
        tr("The configuration has changes that are not saved. Save them?"),
        {tr("Save"), tr("Discard"), tr("Cancel")}, 0);
    if (answer == 1)
        return true;
    if (answer != 0)
        return false;
    QString file = m_file;
    if (file.isEmpty())
        file = OperatorPrompt::current().saveFileName(m_window, tr("Save Configuration"),
                                                      QDir::currentPath(),
                                                      tr("Configuration files (*.json)"));
    return !file.isEmpty() && saveConfiguration(file);
}

void ConfigurationActions::setFile(const QString &file, bool modified)
{
    m_file = file;
    m_modified = modified;
    emit titleChanged();
}

void ConfigurationActions::setModified()
{
    // Edits of a unit on the network are on that unit already; those of the
    // offline unit, or of a unit whose configuration is in a file, are kept
    // only by saving.
    const int selected = m_window->deviceTable()->selectedRow();
    if (m_modified || (m_file.isEmpty() && (selected < 0 || selected != offlineRow())))
        return;
    m_modified = true;
    emit titleChanged();
}

bool ConfigurationActions::addressOf(int row, UnitAddress *unit) const
{
    QDeviceTable *table = m_window->deviceTable();
    const broadcastMsg *record = table->record(row);
    if (!record)
        return false;
    unit->address = table->manager()->connectTarget(row);
    unit->port = table->manager()->unitPort(row);
    LoginSession *login = m_window->loginSession();
    unit->hasPassword = login->hasStoredPassword(record->machineid);
    unit->password = login->storedPassword(record->machineid);
    return true;
}

bool ConfigurationActions::connectedAddress(UnitAddress *unit) const
{
    // The edits written so far reach the unit before a connection of its own
    // reads it: the unit takes them first.
    if (QTcpSocket *socket = currentSocket())
        socket->flush();
    const int row = m_window->deviceTable()->selectedRow();
    return row >= 0 && m_window->deviceTable()->manager()->isConnected(row) && addressOf(row, unit);
}

QString ConfigurationActions::scratchPath(const QString &name)
{
    if (!m_scratch)
        m_scratch = std::make_unique<QTemporaryDir>();
    return m_scratch->filePath(name);
}

bool ConfigurationActions::readConnected(QString *path)
{
    if (!m_file.isEmpty() && !m_modified &&
        m_window->deviceTable()->selectedRow() == offlineRow()) {
        *path = m_file; // the offline unit holds what the file holds
        return true;
    }
    UnitAddress unit;
    if (!connectedAddress(&unit)) {
        fail(tr("No unit is connected."));
        return false;
    }
    *path = scratchPath(ScratchConnected);
    QString error;
    if (!UnitTransfer::backup(unit, *path, &error)) {
        fail(tr("The connected unit cannot be read: %1").arg(error));
        return false;
    }
    return true;
}

bool ConfigurationActions::compare(const QString &heading, const QString &left,
                                   const QString &right, const QString &fileA, const QString &fileB)
{
    ConfigSide a, b;
    QString error;
    if (!ConfigSide::fromFile(fileA, a, error) || !ConfigSide::fromFile(fileB, b, error)) {
        fail(error);
        return false;
    }
    DifferencesDialog *dialog = differences();
    dialog->showDifferences(heading, left, right, a, b, compareConfigs(a, b));
    dialog->open();
    return true;
}

int ConfigurationActions::chooseUnit(const QString &title, bool exceptConnected)
{
    QDeviceTable *table = m_window->deviceTable();
    QVector<int> rows;
    QStringList names;
    for (int row = 0; row < table->count(); ++row) {
        if (exceptConnected && row == table->selectedRow())
            continue;
        const broadcastMsg *r = table->record(row);
        rows.append(row);
        names.append(table->isLocal(row)
                         ? tr("%1 (Offline)").arg(r->model)
                         : QStringLiteral("%1 %2").arg(r->model, dottedAddress(r->ipaddress)));
    }
    if (rows.isEmpty()) {
        fail(tr("No other unit is listed."));
        return -1;
    }
    const int answer =
        OperatorPrompt::current().ask(m_window, QMessageBox::Question, title, tr("Choose a unit:"),
                                      names + QStringList{tr("Cancel")}, -1);
    return answer >= 0 && answer < rows.size() ? rows[answer] : -1;
}

bool ConfigurationActions::sendToUnit(int row)
{
    QString source;
    UnitAddress target;
    if (!addressOf(row, &target) || !readConnected(&source))
        return false;
    const QString other = scratchPath(ScratchOther);
    QString error;
    if (!UnitTransfer::backup(target, other, &error)) {
        fail(tr("The unit cannot be read: %1").arg(error));
        return false;
    }
    m_sendSource = source;
    m_sendRow = row;
    if (!compare(tr("Before sending"), tr("Unit's value"), tr("File's value"), other, source))
        return false;
    differences()->setSendOffered(true);
    return true;
}

bool ConfigurationActions::send()
{
    UnitAddress target;
    if (m_sendSource.isEmpty() || !addressOf(m_sendRow, &target))
        return false;
    QString report, error;
    const bool ok = UnitTransfer::restore(target, m_sendSource, &report, &error);
    if (m_sendRow == m_window->deviceTable()->selectedRow())
        m_window->funcWidget()->unitState()->announceReplaced(
            tr("A configuration was sent to the unit"));
    if (!ok) {
        fail(tr("The configuration was not sent: %1").arg(error));
        return false;
    }
    const QString other = scratchPath(ScratchOther);
    if (!UnitTransfer::backup(target, other, &error)) {
        fail(tr("The unit cannot be read: %1").arg(error));
        return false;
    }
    const bool shown =
        compare(tr("After sending"), tr("Unit's value"), tr("File's value"), other, m_sendSource);
    differences()->setSendOffered(false);
    return shown;
}

bool ConfigurationActions::compareWithFile(const QString &file)
{
    QString source;
    return readConnected(&source) &&
           compare(tr("Compared with %1").arg(QFileInfo(file).fileName()), tr("Unit's value"),
                   tr("File's value"), source, file) &&
           (differences()->setSendOffered(false), true);
}

bool ConfigurationActions::compareWithUnit(int row)
{
    QString source;
    UnitAddress other;
    if (!addressOf(row, &other) || !readConnected(&source))
        return false;
    const QString path = scratchPath(ScratchOther);
    QString error;
    if (!UnitTransfer::backup(other, path, &error)) {
        fail(tr("The unit cannot be read: %1").arg(error));
        return false;
    }
    if (!compare(tr("Compared with another unit"), tr("This unit"), tr("Other unit"), source, path))
        return false;
    differences()->setSendOffered(false);
    return true;
}

void ConfigurationActions::workOfflineTriggered()
{
    workOffline();
}

void ConfigurationActions::openTriggered()
{
    const QString file = OperatorPrompt::current().openFileName(m_window, tr("Open Configuration"),
                                                                QDir::currentPath(),
                                                                tr("Configuration files (*.json)"));
    if (!file.isEmpty())
        openConfiguration(file);
}

void ConfigurationActions::saveTriggered()
{
    const QString file = OperatorPrompt::current().saveFileName(
        m_window, tr("Save Configuration"), m_file.isEmpty() ? QDir::currentPath() : m_file,
        tr("Configuration files (*.json)"));
    if (!file.isEmpty())
        saveConfiguration(file);
}

void ConfigurationActions::sendTriggered()
{
    const int row = chooseUnit(tr("Send to Unit"), true);
    if (row >= 0)
        sendToUnit(row);
}

void ConfigurationActions::compareTriggered()
{
    const int answer = OperatorPrompt::current().ask(
        m_window, QMessageBox::Question, tr("Compare with"), tr("Compare the connected unit with:"),
        {tr("A file…"), tr("A unit…"), tr("Cancel")}, -1);
    if (answer == 0) {
        const QString file = OperatorPrompt::current().openFileName(
            m_window, tr("Compare with"), QDir::currentPath(), tr("Configuration files (*.json)"));
        if (!file.isEmpty())
            compareWithFile(file);
    } else if (answer == 1) {
        const int row = chooseUnit(tr("Compare with"), true);
        if (row >= 0)
            compareWithUnit(row);
    }
}
