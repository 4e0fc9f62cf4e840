#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

class QComboBox;
class QLabel;

// Noise reduction: the output it works on (OUT 1..8) and its strength, shown
// from the unit's state. Both go to the unit together; choosing another output
// starts it at "Disabled".
class ANCWidget final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(ANCWidget)

public:
    static constexpr quint8 Module = Proto::Module::Anc;
    static constexpr int Outputs = 8;
    static constexpr int Levels = 4;

    explicit ANCWidget(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    QComboBox *channelBox() const { return m_channel; }
    QComboBox *levelBox() const { return m_level; }

public slots:
    void inChannelComboBoxChanged(int index);
    void noiseReductionLevelComboBoxChanged(int index);

protected:
    void retranslate() override;

private:
    // Sets both in the state and writes them.
    void send(int channel, int level);
    void showState();

    QLabel *m_title;
    QLabel *m_channelCaption;
    QLabel *m_levelCaption;
    QComboBox *m_channel;
    QComboBox *m_level;
    const int m_channelParam; // in the unit's state
    const int m_levelParam;
};
