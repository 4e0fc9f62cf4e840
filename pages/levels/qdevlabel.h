#pragma once

#include "model/paramid.h"
#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;

// The channel names kept in the unit: 16 input names, 16 output names and 16
// input names for the unit's touch screen. Every change, from the unit or the
// operator, is announced so the pages can show the names.
class QDevLabel final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QDevLabel)

public:
    static constexpr quint8 Module = Proto::SysModule::Labels;
    static constexpr int Channels = 16;
    enum Table : quint8
    {
        Inputs = Proto::LabelCmd::Inputs,
        Outputs = Proto::LabelCmd::Outputs,
        Panel = Proto::LabelCmd::Panel
    };

    explicit QDevLabel(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    // Bytes the unit keeps of one name of the table.
    static int fieldWidth(Table table) { return table == Panel ? 10 : 16; }
    QString label(Table table, int channel) const;
    QLineEdit *field(Table table, int channel) const;

signals:
    void inputLabel(uchar channel, QString text);
    void outputLabel(uchar channel, QString text);
    void panelLabel(uchar channel, QString text);

public slots:
    void inputLabelEditingFinished();
    void outputLabelEditingFinished();
    void panelLabelEditingFinished();

protected:
    void retranslate() override;

private:
    struct Group
    {
        QGroupBox *box = nullptr;
        std::array<QLabel *, Channels> captions{};
        std::array<QLineEdit *, Channels> fields{};
    };

    QGroupBox *buildGroup(Table table, const char *objectName);
    static Model::ParamId param(Table table, int channel);
    void stateChanged(const Model::ParamId &id);
    void edited(Table table);

    std::array<Group, 3> m_groups;
};
