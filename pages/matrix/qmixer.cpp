#include "pages/matrix/qmixer.h"

#include "model/unitstate.h"

#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/crosspoints.h"
#include "pages/matrix/generatorpanel.h"
#include "pages/matrix/matrixmixvaluewidget.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/operatorprompt.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int GeneratorGainKey = 0;

// Sized so that the grid, its headings and the generator fit the page area
// of a 1024 x 600 window.
CrosspointGridGeometry pageGeometry()
{
    CrosspointGridGeometry g;
    g.button = QSize(36, 18);
    g.gap = 2;
    g.margin = 4;
    g.headerHeight = 66;
    g.nameElide = 120;
    g.rowHeaderWidth = 84;
    return g;
}

} // namespace

QMixer::QMixer(QWidget *parent)
    : BlockPage(parent),
      m_grid(new CrosspointGrid(
          pageGeometry(), [](int in, int out, QWidget *p) { return new QMixButton(in, out, p); },
          nullptr)),
      m_generator(new GeneratorPanel(state(), deferred(), GeneratorGainKey)),
      m_mixValue(new QPushButton), m_allMix(new QPushButton), m_reset(new QPushButton)
{
    setObjectName(QStringLiteral("mixerWidget"));
    deferred().setSender([this](int) { m_generator->sendGain(); });

    connect(m_grid, &CrosspointGrid::switched, this, &QMixer::crosspointsSwitched);
    // The grid shows the state's crosspoints, whoever changed them.
    connect(&state(), &Model::UnitState::changed, this, [this](const Model::ParamId &id) {
        if (id.param == Crosspoints::on(0, 0).param)
            m_grid->setOn(id.a, id.b, state().isOn(id));
    });
    connect(m_mixValue, &QPushButton::clicked, this, &QMixer::mixValueButtonClicked);
    connect(m_allMix, &QPushButton::clicked, this, &QMixer::allMixButtonClicked);
    connect(m_reset, &QPushButton::clicked, this, &QMixer::resetButtonClicked);

    auto *bg = new QWidget(this);
    bg->setObjectName(QStringLiteral("mixerCtrlBgWidget"));
    bg->setAttribute(Qt::WA_StyledBackground);
    auto *bgLayout = new QVBoxLayout(bg);
    bgLayout->setContentsMargins(2, 2, 2, 2);
    bgLayout->addWidget(m_grid);

    for (QPushButton *b : {m_mixValue, m_allMix, m_reset}) {
        b->setObjectName(QStringLiteral("normalButton"));
        b->setFixedHeight(26);
    }
    auto *wholeRow = new QHBoxLayout;
    wholeRow->setSpacing(4);
    wholeRow->addWidget(m_allMix);
    wholeRow->addWidget(m_reset);
    auto *side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(m_mixValue);
    side->addLayout(wholeRow);
    side->addWidget(m_generator, 1);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 1, 0);
    row->setSpacing(4);
    // The grid takes the room (up to its largest), the side column the rest.
    row->addWidget(bg, 1, Qt::AlignTop);
    row->addLayout(side, 0);
    retranslate();
}

void QMixer::retranslate()
{
    const QFont font = appFont(8);
    QFont small = font;
    small.setPointSizeF(7.5);
    m_mixValue->setText(tr("Mixer Value"));
    m_allMix->setText(tr("All Mix"));
    m_reset->setText(tr("Reset"));
    for (QPushButton *b : {m_mixValue, m_allMix, m_reset})
        b->setFont(font);
    m_grid->setFonts(appFont(8, true), small);
    m_generator->retranslate();
}

MatrixMixValueWidget *QMixer::editor()
{
    if (m_editor)
        return m_editor;
    m_editor = new MatrixMixValueWidget(this, &state());
    connect(m_editor, &MatrixMixValueWidget::mixButtonClicked, this, &QMixer::mixButtonClicked);
    connect(m_editor, &MatrixMixValueWidget::mixGainChanged, this, &QMixer::GainSliderChanged);
    for (int ch = 0; ch < Channels; ++ch) {
        if (!m_inputNames[size_t(ch)].isNull())
            m_editor->setInputName(ch, m_inputNames[size_t(ch)]);
        if (!m_outputNames[size_t(ch)].isNull())
            m_editor->setOutputName(ch, m_outputNames[size_t(ch)]);
    }
    return m_editor;
}

bool QMixer::isHolding()
{
    return deferred().isHolding() || (m_editor && m_editor->isHolding());
}

bool QMixer::isMixOn(int input, int output) const
{
    return m_grid->isOn(input, output);
}

void QMixer::refresh()
{
    for (int out = 0; out < Channels; ++out) {
        const QByteArray output(1, char(out));
        sendPacket(Proto::OpBlock, Module, Proto::MatrixCmd::On, Proto::FlagRead, output);
        sendPacket(Proto::OpBlock, Module, Proto::MatrixCmd::Gain, Proto::FlagRead, output);
    }
    m_generator->refresh();
}

void QMixer::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (isHolding())
        return; // the operator's change wins over answers to earlier reads
    if ((cmd != Proto::MatrixCmd::On && cmd != Proto::MatrixCmd::Gain) || length != payload.size())
        return;
    // The grid and the editor show what the state takes.
    state().apply(Proto::OpBlock, Module, cmd, flag, payload);
}

void QMixer::receiveGenerator(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (isHolding())
        return;
    m_generator->receive(cmd, flag, length, payload);
}

void QMixer::crosspointsSwitched(int, int, bool on)
{
    deferred().startHold();
    for (int out = 0; out < Channels; ++out) {
        QVector<Model::ParamId> row;
        for (quint8 in : m_grid->selectedInputs(out)) {
            row.append(Crosspoints::on(in, out));
            state().setNumber(row.last(), on ? 1 : 0);
        }
        // One packet per output, not one per crosspoint.
        Crosspoints::send(state(), row);
    }
    state().commit();
}

void QMixer::mixButtonClicked(int inIndex, int outIndex, bool isChecked)
{
    deferred().startHold();
    m_grid->setOn(inIndex, outIndex, isChecked);
}

void QMixer::GainSliderChanged(float)
{
    // The editor writes the gains of the crosspoints it edits itself; the
    // page only keeps answers to earlier reads from pulling them back.
    deferred().startHold();
}

void QMixer::mixValueButtonClicked()
{
    // Modal for the whole program like exec(), but without a nested event
    // loop: answers, timers and the refresh go on as before.
    MatrixMixValueWidget *e = editor();
    e->setWindowModality(Qt::ApplicationModal);
    e->show();
    e->raise();
    e->activateWindow();
}

void QMixer::allMixButtonClicked()
{
    const int answer = OperatorPrompt::current().ask(
        this, QMessageBox::Question, tr("All Mix"),
        tr("Enable all mixer and set their value to 0dB?"), {tr("OK"), tr("Cancel")}, 0);
    if (answer == 0)
        setWholeMatrix(true);
}

void QMixer::resetButtonClicked()
{
    const int answer = OperatorPrompt::current().ask(
        this, QMessageBox::Question, tr("Reset"),
        tr("Disable all mixer and set their value to 0dB?"), {tr("OK"), tr("Cancel")}, 0);
    if (answer == 0)
        setWholeMatrix(false);
}

void QMixer::setWholeMatrix(bool on)
{
    deferred().startHold();
    for (int out = 0; out < Channels; ++out) {
        QVector<Model::ParamId> ons, gains;
        for (int in = 0; in < Channels; ++in) {
            ons.append(Crosspoints::on(in, out));
            gains.append(Crosspoints::gain(in, out));
            state().setNumber(ons.last(), on ? 1 : 0);
            state().setNumber(gains.last(), 0);
        }
        // The whole row: the switches, then the gains.
        Crosspoints::send(state(), ons + gains);
    }
    state().commit(on ? tr("All Mix") : tr("Matrix reset"));
}

void QMixer::setInputName(int channel, const QString &name)
{
    m_grid->setInputName(channel, name);
    if (m_editor)
        m_editor->setInputName(channel, name);
    else if (channel >= 0 && channel < Channels)
        m_inputNames[size_t(channel)] = name;
}

void QMixer::setOutputName(int channel, const QString &name)
{
    m_grid->setOutputName(channel, name);
    m_generator->setOutputName(channel, name);
    if (m_editor)
        m_editor->setOutputName(channel, name);
    else if (channel >= 0 && channel < Channels)
        m_outputNames[size_t(channel)] = name;
}

void QMixer::hideEvent(QHideEvent *event)
{
    m_grid->clearSelection();
    BlockPage::hideEvent(event);
}
