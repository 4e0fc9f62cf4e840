#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class DifferencesDialog;
class MainWindow;
class OfflineUnit;
class QAction;
class QMenu;
class QTemporaryDir;
struct UnitAddress;

// The File menu: working offline on the program's own simulated unit,
// configuration files (backups, format 2) opened into it and saved from the
// connected unit, and a configuration sent to a unit or compared with a file
// or another unit, with the differences shown before anything is written.
//
// It keeps the configuration file in use and whether the connected unit has
// edits not saved into it (the window's title shows both), and asks to save
// them before another file is opened or the window closes.
class ConfigurationActions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ConfigurationActions)

public:
    ConfigurationActions(MainWindow *window, QMenu *menu);
    ~ConfigurationActions() override;

    void retranslate();
    // The window title with the file in use and a mark for unsaved edits.
    QString decorate(const QString &title) const;

    // Starts the offline unit (with `file`, a backup, as its configuration),
    // lists it, and connects to it. False, with the operator told, when the
    // unit cannot start or the file cannot be loaded.
    bool workOffline(const QString &file = QString());
    bool openConfiguration(const QString &file);
    bool saveConfiguration(const QString &file);
    // Reads the unit of device-table row `row`, compares it with the
    // connected unit's configuration and shows the differences, with "Send".
    bool sendToUnit(int row);
    // Compares the connected unit with a backup file or the unit of `row`.
    bool compareWithFile(const QString &file);
    bool compareWithUnit(int row);
    // Writes the configuration shown in the differences into the unit they
    // were read from, then shows what still differs.
    bool send();

    // Another unit was chosen: the file in use was that of the one before.
    void unitChanged() { setFile(QString(), false); }
    // Unsaved edits are saved, dropped, or (false) the caller stops.
    bool maySave();
    bool isModified() const { return m_modified; }
    QString currentFile() const { return m_file; }
    OfflineUnit *offlineUnit() const { return m_offline; }
    int offlineRow() const;
    DifferencesDialog *differences();

signals:
    void titleChanged();

private:
    void workOfflineTriggered();
    void openTriggered();
    void saveTriggered();
    void sendTriggered();
    void compareTriggered();
    void setFile(const QString &file, bool modified);
    void setModified();
    int chooseUnit(const QString &title, bool exceptConnected);
    bool connectedAddress(UnitAddress *unit) const;
    bool addressOf(int row, UnitAddress *unit) const;
    // The connected unit's configuration in a scratch file.
    bool readConnected(QString *path);
    QString scratchPath(const QString &name);
    bool compare(const QString &heading, const QString &left, const QString &right,
                 const QString &fileA, const QString &fileB);
    void fail(const QString &text);

    MainWindow *m_window;
    QMenu *m_menu;
    QAction *m_offlineAction;
    QAction *m_openAction;
    QAction *m_saveAction;
    QAction *m_sendAction;
    QAction *m_compareAction;
    OfflineUnit *m_offline;
    QPointer<DifferencesDialog> m_dialog;
    QString m_file;
    bool m_modified = false;
    std::unique_ptr<QTemporaryDir> m_scratch; // the units' configurations read
    QString m_sendSource;                     // the configuration a "Send" writes
    int m_sendRow = -1;                       // and the unit it goes to
};
