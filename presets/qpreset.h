#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <QMessageBox>

#include <array>

class AnswerReader;
class PresetTransfer;
class ProgressGuard;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

// The page of the unit's 32 preset slots: their names, save, recall (load),
// delete and rename, and the transfer of one slot to or from a ".pst" file or
// of all slots to or from a ".pstl" file. The transfers themselves are
// PresetTransfer's; the page asks the operator and shows the results.
class QPreset final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QPreset)

public:
    static constexpr quint8 Module = Proto::Module::Preset;
    static constexpr int Slots = 32;
    static constexpr int NameBytes = 16;
    static constexpr quint8 NoPreset = 0xFF;
    enum Column
    {
        NameColumn,
        SaveColumn,
        LoadColumn,
        DeleteColumn,
        ImportColumn,
        ExportColumn,
        ColumnCount
    };

    // `progress` is the main window's shared progress; it outlives the page.
    explicit QPreset(ProgressGuard *progress, QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    QTableWidget *table() const { return m_table; }
    QLineEdit *nameField(int slot) const;
    QPushButton *button(int slot, Column column) const;
    QPushButton *importAllButton() const { return m_importAll; }
    QPushButton *exportAllButton() const { return m_exportAll; }
    int currentPreset() const { return m_current; }
    // The name a save into `slot` offers: the slot's name, or a default one
    // for a slot that has none.
    QString offeredName(int slot) const;
    // The slot's context menu (rename, save, load, delete), as a right click
    // on its name shows it; the caller owns it.
    QMenu *slotMenu(int slot);
    // Starts renaming `slot`: the name field takes the focus with its text
    // selected.
    void startRename(int slot);
    PresetTransfer *transfer() const { return m_transfer; }

public slots:
    void nameEditingFinished();
    void saveClicked();
    void loadClicked();
    void deleteClicked();
    void importClicked();
    void exportClicked();
    void importAllClicked();
    void exportAllClicked();

protected:
    void retranslate() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row
    {
        QLineEdit *name = nullptr;
        std::array<QPushButton *, ColumnCount> buttons{};
        bool exists = false;
        QByteArray stored; // the name's bytes as the unit keeps them
    };

    void buildRow(int slot);
    void placeCells();
    int slotOf(QObject *control, Column column) const;
    QString shownName(int slot) const;
    void showList(const AnswerReader &answer);
    void showRecallProgress(int percent);
    void markCurrent(int slot, bool current);
    void save(int slot);
    void load(int slot);
    void remove(int slot);
    void rename(int slot, const QByteArray &bytes);
    void tooLong();
    void setExists(int slot, bool exists);
    bool confirm(QMessageBox::Icon icon, const QString &title, const QString &text);
    void sendSlotCommand(quint8 cmd, int slot);
    QString askFile(bool save, bool all);
    void transferFailed(const QString &title, const QString &text);

    ProgressGuard *m_progress;
    PresetTransfer *m_transfer;
    QTableWidget *m_table;
    std::array<Row, Slots> m_rows;
    QPushButton *m_importAll;
    QPushButton *m_exportAll;
    int m_current = NoPreset;
    bool m_cellsPlaced = false;
};
