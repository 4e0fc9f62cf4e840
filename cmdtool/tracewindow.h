#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class TraceModel;

// The "Protocol Trace" window: every frame sent and received on the current
// connection, with its time, direction, header, command name and payload;
// filtered by module and direction, paused, copied or saved as text.
//
// It records only while it is open: showing it installs the trace hook of
// the transmit and receive paths, closing it removes the hook, so a closed
// trace costs the program nothing.
class TraceWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TraceWindow)

public:
    explicit TraceWindow(QWidget *parent = nullptr);
    ~TraceWindow() override;

    TraceModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }
    QComboBox *moduleBox() const { return m_module; }
    QComboBox *directionBox() const { return m_direction; }
    QPushButton *pauseButton() const { return m_pause; }

    // The shown rows as text (the selected ones, or all when none is).
    QString text() const;
    // Asks for a file and writes the shown rows into it.
    void saveAs();
    void copy();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void filterChanged();
    void updateCounts();
    void rowsArrived();

    TraceModel *m_model;
    QTableView *m_view;
    QComboBox *m_module;
    QComboBox *m_direction;
    QPushButton *m_pause;
    QPushButton *m_clear;
    QPushButton *m_copy;
    QPushButton *m_save;
    QLabel *m_moduleLabel;
    QLabel *m_directionLabel;
    QLabel *m_counts;
    bool m_hooked = false;
    bool m_follow = true; // keep the newest row in view
};
