#pragma once

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

// Panel of the two level tabs (pre-mix inputs and outputs): a channel box and
// one row per command (mute, invert, fixed gain, gain step), each with its own
// "Generate Command" button. The two tabs differ only in the text of the
// channel items, which the subclass passes in.
class LevelCmdWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(LevelCmdWidget)

public:
    static constexpr int ChannelCount = 16;
    static constexpr double GainMinimum = -56.0;
    static constexpr double GainMaximum = 12.0;

    // The selected channel as its index on the wire, 0..15.
    int channel() const;
    bool isMuted() const;
    bool isInverted() const;
    double gain() const;
    double gainDelta() const;

signals:
    void sigMuteGenClicked();
    void sigInvertGenClicked();
    void sigGainGenClicked();
    void sigGainDeltaGenClicked();

protected:
    // `itemPrefix` is the untranslated text put before each channel number,
    // marked with QT_TRANSLATE_NOOP("LevelCmdWidget", ...); it must outlive
    // the widget (a string literal).
    explicit LevelCmdWidget(const char *itemPrefix, QWidget *parent);

    void changeEvent(QEvent *event) override;

private:
    QDoubleSpinBox *makeGainBox(const char *objectName, double initial);
    void retranslateUi();

    const char *const m_itemPrefix;
    QLabel *m_channelLabel;
    QComboBox *m_channelBox;
    QPushButton *m_muteButton;
    QPushButton *m_muteGenButton;
    QPushButton *m_invertButton;
    QPushButton *m_invertGenButton;
    QLabel *m_gainLabel;
    QDoubleSpinBox *m_gainBox;
    QPushButton *m_gainGenButton;
    QLabel *m_gainDeltaLabel;
    QDoubleSpinBox *m_gainDeltaBox;
    QPushButton *m_gainDeltaGenButton;
};
