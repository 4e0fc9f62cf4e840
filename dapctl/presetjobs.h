#pragma once

#include <QObject>
#include <QString>

#include <functional>

class CtlConsole;
class PresetTransfer;
class ProgressBar;
class ProgressGuard;
class UnitLink;

// The preset work that takes more than one answer: exports and imports
// through the program's PresetTransfer, and a recall with the unit's progress,
// each shown as a progress bar on a terminal.
class PresetJobs final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PresetJobs)

public:
    static constexpr int AllSlots = -1;

    PresetJobs(UnitLink &link, CtlConsole &console, QObject *parent = nullptr);
    ~PresetJobs() override;

    // One slot (0..31) or AllSlots into the file at `path`.
    bool exportTo(int slot, const QString &path);
    // The file at `path` into one slot or all. The unit's expected size is
    // checked before any data is sent.
    bool importFrom(int slot, const QString &path);
    // Recalls a slot and waits until the unit reports it current.
    bool recall(int slot);

    QString errorString() const { return m_error; }
    // True when the last transfer sent or asked for data (a failed import
    // may then have changed the unit).
    bool dataMoved() const { return m_dataMoved; }

private:
    // Runs the transfer `begin` starts (false: it was refused at once).
    bool runTransfer(const std::function<bool()> &begin);

    UnitLink &m_link;
    ProgressGuard *m_guard;
    ProgressBar *m_bar;
    PresetTransfer *m_transfer;
    QString m_error;
    bool m_dataMoved = false;
};
