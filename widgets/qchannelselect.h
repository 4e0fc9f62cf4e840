#pragma once

#include <QDialog>

#include <array>

class QDialogButtonBox;
class QGroupBox;
class QPushButton;

// The modal dialog with which a page asks for a set of target channels: 16
// input and 16 output toggle buttons. After acceptance inputMask() and
// outputMask() have bit n set for every checked button n. Whatever the outcome,
// hiding the dialog unchecks and re-enables every button, so each opening
// starts clean; a caller disables buttons (the source channel, say) just before
// opening.
class QChannelSelect final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QChannelSelect)

public:
    static constexpr int kChannels = 16;

    explicit QChannelSelect(QWidget *parent = nullptr);

    quint16 inputMask() const { return m_inputMask; }
    quint16 outputMask() const { return m_outputMask; }

    // Channels 0..15; others are ignored.
    void setInputChannelEnabled(int channel, bool enabled);
    void setOutputChannelEnabled(int channel, bool enabled);
    // Hides the whole output group when only inputs make sense.
    void setOutputGroupVisible(bool visible);

    QPushButton *inputButton(int channel) const;
    QPushButton *outputButton(int channel) const;

public slots:
    // Takes the masks from the checked buttons and accepts the dialog.
    void acceptClicked();

private slots:
    void inputChannelBtnClicked(bool isChecked);
    void outputChannelBtnClicked(bool isChecked);

protected:
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    using Buttons = std::array<QPushButton *, kChannels>;

    QGroupBox *makeGroup(Buttons &buttons, const QString &namePrefix);
    static void applyCheckedStyle(QPushButton *button, bool isChecked);
    static quint16 maskOf(const Buttons &buttons);
    void resetButtons();
    void retranslate();

    Buttons m_inputButtons{};
    Buttons m_outputButtons{};
    QGroupBox *m_inputGroup = nullptr;
    QGroupBox *m_outputGroup = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
};
