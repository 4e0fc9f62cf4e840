#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// "Preset" tab: recall of one of the unit's preset slots.
class PresetCmdWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PresetCmdWidget)

public:
    static constexpr int PresetCount = 32;

    explicit PresetCmdWidget(QWidget *parent = nullptr);

    // The selected slot as its index on the wire, 0..31 (slot "1" is 0).
    int presetIndex() const;

signals:
    void sigLoadGenClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QLabel *m_captionLabel;
    QLabel *m_presetLabel;
    QComboBox *m_presetBox;
    QPushButton *m_generateButton;
};
