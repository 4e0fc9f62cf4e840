#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <array>

namespace Model {
struct ParamId;
}

class ElidedLabel;
class QLabel;
class QPushButton;

// The feedback suppressor page: one "Enable" switch per input, sent at once.
// The switches show the unit state's values.
class QFeedback final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QFeedback)

public:
    static constexpr quint8 Module = Proto::Module::Feedback;
    static constexpr int Channels = 16;

    explicit QFeedback(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;
    void setInputName(int channel, const QString &name) override;

    bool channelEnabled(int channel) const;
    QPushButton *enableButton(int channel) const { return m_columns[size_t(channel)].enable; }

private slots:
    void EnableClick(bool isChecked);

protected:
    void retranslate() override;

private:
    struct Column
    {
        QLabel *title = nullptr;
        ElidedLabel *name = nullptr;
        QPushButton *enable = nullptr;
    };

    QWidget *buildColumn(int c);
    Model::ParamId enableId(int c) const;

    const int m_param; // the switch's parameter in the unit model
    std::array<Column, Channels> m_columns{};
};
