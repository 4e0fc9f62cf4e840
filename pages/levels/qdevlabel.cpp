#include "pages/levels/qdevlabel.h"

#include "model/unitstate.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/fieldsync.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

QDevLabel::QDevLabel(QWidget *parent) : BlockPage(parent)
{
    setObjectName(QStringLiteral("devLabelWidget"));
    auto *bg = new QWidget(this);
    bg->setObjectName(QStringLiteral("devLabelRightBgWidget"));
    bg->setAttribute(Qt::WA_StyledBackground);
    auto *row = new QHBoxLayout(bg);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(8);
    // The three tables share a wide page; the name fields grow up to a
    // width that still reads as one column of names.
    row->addWidget(buildGroup(Inputs, "devLabelInLabelWidget"), 1);
    row->addWidget(buildGroup(Outputs, "devLabelOutLabelWidget"), 1);
    row->addWidget(buildGroup(Panel, "devLabelPanelLabelWidget"), 1);
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 1, 1, 0);
    outer->addWidget(bg);
    connect(&state(), &Model::UnitState::changed, this, &QDevLabel::stateChanged);
    retranslate();
}

QGroupBox *QDevLabel::buildGroup(Table table, const char *objectName)
{
    Group &g = m_groups[table - 1];
    g.box = new QGroupBox(this);
    g.box->setObjectName(QString::fromLatin1(objectName));
    auto *grid = new QGridLayout(g.box);
    grid->setContentsMargins(8, 14, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int c = 0; c < Channels; ++c) {
        g.captions[size_t(c)] = new QLabel(g.box);
        g.captions[size_t(c)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *field = new QLineEdit(g.box);
        field->setMaxLength(fieldWidth(table));
        field->setMinimumWidth(table == Panel ? 110 : 150);
        field->setMaximumWidth(table == Panel ? 220 : 300);
        field->setFixedHeight(20);
        g.fields[size_t(c)] = field;
        void (QDevLabel::*slot)() = table == Inputs    ? &QDevLabel::inputLabelEditingFinished
                                    : table == Outputs ? &QDevLabel::outputLabelEditingFinished
                                                       : &QDevLabel::panelLabelEditingFinished;
        connect(field, &QLineEdit::editingFinished, this, slot);
        grid->addWidget(g.captions[size_t(c)], c, 0);
        grid->addWidget(field, c, 1);
    }
    return g.box;
}

void QDevLabel::retranslate()
{
    m_groups[Inputs - 1].box->setTitle(tr("Input Label"));
    m_groups[Outputs - 1].box->setTitle(tr("Output Label"));
    m_groups[Panel - 1].box->setTitle(tr("Touch Screen Label"));
    const QFont font = appFont(9);
    for (Group &g : m_groups)
        g.box->setFont(appFont(9, true));
    for (int t = 0; t < 3; ++t)
        for (int c = 0; c < Channels; ++c) {
            QLabel *caption = m_groups[size_t(t)].captions[size_t(c)];
            caption->setText(t == Panel - 1 ? tr("IN %1:").arg(c + 1)
                                            : QStringLiteral("%1:").arg(c + 1));
            caption->setFont(font);
            m_groups[size_t(t)].fields[size_t(c)]->setFont(font);
            // "OUT 3, Output Label": the caption alone is only the number.
            m_groups[size_t(t)].fields[size_t(c)]->setAccessibleName(
                (t == Outputs - 1 ? QStringLiteral("OUT %1, %2") : QStringLiteral("IN %1, %2"))
                    .arg(c + 1)
                    .arg(m_groups[size_t(t)].box->title()));
        }
}

void QDevLabel::refresh()
{
    for (quint8 table : {Inputs, Outputs, Panel})
        sendPacket(Proto::OpSystem, Module, table, Proto::FlagRead);
}

Model::ParamId QDevLabel::param(Table table, int channel)
{
    static const int params[3] = {
        Model::Catalogue::instance().paramIndex("label.input.#"),
        Model::Catalogue::instance().paramIndex("label.output.#"),
        Model::Catalogue::instance().paramIndex("label.panel.#"),
    };
    return Model::ParamId{params[table - 1], channel, 0};
}

void QDevLabel::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd < Inputs || cmd > Panel || length != payload.size())
        return;
    state().apply(Proto::OpSystem, Module, cmd, flag, payload);
}

// A name changed in the state, from the unit or the operator: shown and told.
void QDevLabel::stateChanged(const Model::ParamId &id)
{
    for (Table table : {Inputs, Outputs, Panel}) {
        if (id != param(table, id.a))
            continue;
        const QString text = label(table, id.a);
        FieldSync::showText(field(table, id.a), text);
        switch (table) {
        case Inputs:
            emit inputLabel(uchar(id.a), text);
            break;
        case Outputs:
            emit outputLabel(uchar(id.a), text);
            break;
        case Panel:
            emit panelLabel(uchar(id.a), text);
            break;
        }
    }
}

void QDevLabel::edited(Table table)
{
    auto *field = qobject_cast<QLineEdit *>(sender());
    const Group &g = m_groups[table - 1];
    const int channel = int(std::find(g.fields.begin(), g.fields.end(), field) - g.fields.begin());
    if (channel >= Channels)
        return;
    FieldSync::endEdit(field);
    // The unit keeps only what fits its field: the state cuts the name to
    // whole characters that fit, and the operator sees what the unit will show.
    const QString kept = state().setText(param(table, channel), field->text());
    if (kept != field->text())
        field->setText(kept);
    {
        const QSignalBlocker blocker(field);
        field->clearFocus();
    }
    // Sent even when unchanged: the operator finished an edit.
    sendWrite(state().writeFrameOf(param(table, channel)));
}

void QDevLabel::inputLabelEditingFinished()
{
    edited(Inputs);
}

void QDevLabel::outputLabelEditingFinished()
{
    edited(Outputs);
}

void QDevLabel::panelLabelEditingFinished()
{
    edited(Panel);
}

QString QDevLabel::label(Table table, int channel) const
{
    return state().text(param(table, channel));
}

QLineEdit *QDevLabel::field(Table table, int channel) const
{
    return m_groups[table - 1].fields[size_t(channel)];
}
