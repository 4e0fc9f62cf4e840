#include "pages/matrix/matrixmixvaluewidget.h"

#include "model/unitstate.h"
#include "pages/blockpage.h"
#include "widgets/settingsstore.h"

#include "pages/matrix/crosspointgrid.h"
#include "pages/matrix/crosspoints.h"
#include "pages/matrix/dragscrollarea.h"
#include "pages/matrix/qmixbutton2.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/childsignals.h"
#include "widgets/fieldsync.h"
#include "widgets/qfader.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char *const GeometryKey = "MixValueGeometry";
constexpr int GainKey = 0; // one pending gain: for the whole selection

bool isCrosspoint(int input, int output)
{
    return input >= 0 && input < MatrixMixValueWidget::Channels && output >= 0 &&
           output < MatrixMixValueWidget::Channels;
}

CrosspointGridGeometry editorGeometry()
{
    CrosspointGridGeometry g;
    g.button = QSize(38, 20);
    g.gap = 2;
    g.margin = 6;
    g.headerHeight = 150;
    g.nameElide = 140;
    g.rowHeaderWidth = 110;
    return g;
}
} // namespace

MatrixMixValueWidget::MatrixMixValueWidget(QWidget *parent, Model::UnitState *state)
    : QDialog(parent), m_state(state                              ? state
                               : BlockPage::providedState(parent) ? BlockPage::providedState(parent)
                                                                  : new Model::UnitState(this)),
      m_grid(new CrosspointGrid(
          editorGeometry(), [](int in, int out, QWidget *p) { return new QMixButton2(in, out, p); },
          nullptr)),
      m_scroll(new DragScrollArea(this)), m_title(new QLabel(this)),
      m_inField(new QLineEdit(QStringLiteral("--"), this)),
      m_outField(new QLineEdit(QStringLiteral("--"), this)), m_gainCaption(new QLabel(this)),
      m_gainEdit(new QLineEdit(QStringLiteral("0"), this)), m_fader(new QFader(this)),
      m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("mixValueWidget"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("mixValueScrollWidget"));
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(4, 4, 4, 4);
    contentLayout->addWidget(m_grid);
    m_scroll->setObjectName(QStringLiteral("mixValueScrollArea"));
    m_scroll->setWidget(content);
    m_scroll->setAlignment(Qt::AlignCenter);

    connect(m_grid, &CrosspointGrid::aboutToChangeSelection, this, [this] { m_deferred.flush(); });
    connect(m_grid, &CrosspointGrid::buttonSelected, this, &MatrixMixValueWidget::showCrosspoint);
    connect(m_grid, &CrosspointGrid::bandChanged, this, &MatrixMixValueWidget::showFirstSelected);
    connect(m_grid, &CrosspointGrid::switched, this, &MatrixMixValueWidget::crosspointSwitched);

    for (QLineEdit *field : {m_inField, m_outField}) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(60);
    }
    m_gainEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^-?\\d{0,4}$")), this));
    m_gainEdit->setFixedWidth(50);
    m_gainEdit->setAlignment(Qt::AlignCenter);
    connect(m_gainEdit, &QLineEdit::editingFinished, this,
            &MatrixMixValueWidget::GainEditingFinished);
    m_fader->setRange(float(GainMin), float(GainMax));
    m_fader->setStep(1.0f);
    m_fader->setValue(0.0f);
    m_fader->setFixedSize(55, 190);
    connect(m_fader, &QFader::valueChanged, this, &MatrixMixValueWidget::GainSliderChanged);

    auto *side = new QVBoxLayout;
    side->setSpacing(4);
    side->addStretch(1);
    side->addWidget(m_inField, 0, Qt::AlignHCenter);
    side->addWidget(m_outField, 0, Qt::AlignHCenter);
    side->addSpacing(8);
    side->addWidget(m_gainCaption, 0, Qt::AlignHCenter);
    side->addWidget(m_gainEdit, 0, Qt::AlignHCenter);
    side->addWidget(m_fader, 0, Qt::AlignHCenter);
    side->addStretch(1);

    auto *body = new QHBoxLayout;
    body->setSpacing(6);
    body->addWidget(m_scroll, 1);
    body->addLayout(side);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(4);
    outer->addWidget(m_title);
    outer->addLayout(body, 1);

    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &MatrixMixValueWidget::timeout);
    m_deferred.setSender([this](int) { sendGains(); });
    // Like a block page, the editor ticks only while there is work for a tick.
    m_deferred.setWake([this] {
        if (m_shown && !m_timer->isActive())
            m_timer->start();
    });
    for (int out = 0; out < Channels; ++out)
        for (int in = 0; in < Channels; ++in) {
            m_grid->setOn(in, out, isMixOn(in, out));
            mixButton(in, out)->setGain(mixGain(in, out));
        }
    connect(m_state, &Model::UnitState::changed, this, &MatrixMixValueWidget::stateChanged);
    retranslate();

    resize(880, 560);
    const QByteArray geometry = userSettings().value(QLatin1String(GeometryKey)).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

MatrixMixValueWidget::~MatrixMixValueWidget()
{
    // A focused gain field would report its edit while QWidget's destructor
    // hides the window, after this object's own parts are gone.
    disconnectChildren(this);
    userSettings().setValue(QLatin1String(GeometryKey), saveGeometry());
}

void MatrixMixValueWidget::retranslate()
{
    setWindowTitle(tr("Mixer value"));
    m_title->setText(tr("Mixer value"));
    m_title->setFont(appFont(10, true));
    m_gainCaption->setText(tr("Gain(dB)"));
    const QFont font = appFont(8);
    QFont small = font;
    small.setPointSizeF(7.5);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_inField, m_outField, m_gainEdit, m_gainCaption})
        w->setFont(font);
    m_grid->setFonts(appFont(8, true), small);
    // The gain applies to whichever crosspoints are selected.
    m_gainEdit->setAccessibleName(tr("Gain of the selected crosspoints"));
    m_fader->setAccessibleName(tr("Gain of the selected crosspoints"));
    m_scroll->setAccessibleName(tr("Crosspoints"));
}

void MatrixMixValueWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

QMixButton2 *MatrixMixValueWidget::mixButton(int input, int output) const
{
    return static_cast<QMixButton2 *>(m_grid->button(input, output));
}

bool MatrixMixValueWidget::isMixOn(int input, int output) const
{
    return m_state->isOn(Crosspoints::on(input, output));
}

int MatrixMixValueWidget::mixGain(int input, int output) const
{
    return int(m_state->number(Crosspoints::gain(input, output)));
}

bool MatrixMixValueWidget::isTimerRunning() const
{
    return m_shown;
}

bool MatrixMixValueWidget::isTicking() const
{
    return m_timer->isActive();
}

void MatrixMixValueWidget::setMixOn(int input, int output, bool on)
{
    if (isCrosspoint(input, output))
        m_state->setNumber(Crosspoints::on(input, output), on ? 1 : 0);
}

void MatrixMixValueWidget::setMixGain(int input, int output, int gain)
{
    if (isCrosspoint(input, output))
        m_state->setNumber(Crosspoints::gain(input, output), gain);
}

// A crosspoint changed in the state, from the unit or an edit.
void MatrixMixValueWidget::stateChanged(const Model::ParamId &id)
{
    if (id.param == Crosspoints::on(0, 0).param) {
        m_grid->setOn(id.a, id.b, m_state->isOn(id));
    } else if (id.param == Crosspoints::gain(0, 0).param) {
        const int gain = int(m_state->number(id));
        QMixButton2 *b = mixButton(id.a, id.b);
        if (!b || b->gain() == gain)
            return;
        b->setGain(gain);
        if (id.a == m_shownInput && id.b == m_shownOutput)
            showGain(gain);
    }
}

void MatrixMixValueWidget::setInputName(int input, const QString &name)
{
    m_grid->setInputName(input, name);
}

void MatrixMixValueWidget::setOutputName(int output, const QString &name)
{
    m_grid->setOutputName(output, name);
}

void MatrixMixValueWidget::showGain(int gain)
{
    // The fader and its field are one control: neither moves while the
    // operator types in the field.
    if (FieldSync::isBeingEdited(m_gainEdit))
        return;
    m_fader->setValue(float(gain));
    FieldSync::showText(m_gainEdit, QString::asprintf("%d", gain));
}

void MatrixMixValueWidget::showCrosspoint(int input, int output)
{
    if (input != m_shownInput)
        m_inField->setText(QStringLiteral("IN %1").arg(input + 1));
    if (output != m_shownOutput)
        m_outField->setText(QStringLiteral("OUT %1").arg(output + 1));
    m_shownInput = input;
    m_shownOutput = output;
    showGain(mixGain(input, output));
}

void MatrixMixValueWidget::showFirstSelected()
{
    int input = -1;
    int output = -1;
    if (m_grid->firstSelected(&input, &output)) {
        showCrosspoint(input, output);
        return;
    }
    m_inField->setText(QStringLiteral("--"));
    m_outField->setText(QStringLiteral("--"));
    m_shownInput = m_shownOutput = -1;
}

void MatrixMixValueWidget::crosspointSwitched(int input, int output, bool on)
{
    m_deferred.startHold();
    showCrosspoint(input, output);
    for (int out = 0; out < Channels; ++out) {
        QVector<Model::ParamId> row;
        for (quint8 in : m_grid->selectedInputs(out)) {
            row.append(Crosspoints::on(in, out));
            m_state->setNumber(row.last(), on ? 1 : 0);
        }
        for (const Model::ParamId &id : qAsConst(row))
            emit mixButtonClicked(id.a, out, on);
        Crosspoints::send(*m_state, row);
    }
    m_state->commit();
}

void MatrixMixValueWidget::applyGainToSelection(int gain)
{
    for (int in = 0; in < Channels; ++in)
        for (int out = 0; out < Channels; ++out)
            if (m_grid->isSelected(in, out))
                m_state->setNumber(Crosspoints::gain(in, out), gain);
}

void MatrixMixValueWidget::GainSliderChanged(float value)
{
    emit mixGainChanged(value);
    const int gain = GainRules::clampCrosspoint(int(std::lround(value)));
    showGain(gain);
    applyGainToSelection(gain);
    m_deferred.edit(GainKey);
}

void MatrixMixValueWidget::GainEditingFinished()
{
    FieldSync::endEdit(m_gainEdit);
    bool ok = false;
    const int typed = m_gainEdit->text().trimmed().toInt(&ok);
    const int gain = GainRules::clampCrosspoint(ok ? typed : 0);
    showGain(gain);
    applyGainToSelection(gain);
    {
        // Losing the focus would finish the edit a second time.
        const QSignalBlocker blocker(m_gainEdit);
        m_gainEdit->clearFocus();
    }
    m_deferred.edit(GainKey);
    emit mixGainChanged(float(gain));
}

void MatrixMixValueWidget::sendGains()
{
    // One packet per output: its selected inputs and the gain of the first.
    for (int out = 0; out < Channels; ++out) {
        const QVector<quint8> inputs = m_grid->selectedInputs(out);
        if (inputs.isEmpty())
            continue;
        const int gain = mixGain(inputs.first(), out);
        QVector<Model::ParamId> row;
        for (quint8 in : inputs) {
            row.append(Crosspoints::gain(in, out));
            m_state->setNumber(row.last(), gain);
        }
        Crosspoints::send(*m_state, row);
    }
    m_state->commit();
}

void MatrixMixValueWidget::timeout()
{
    m_deferred.tick();
    if (!m_deferred.isBusy())
        m_timer->stop();
}

void MatrixMixValueWidget::showEvent(QShowEvent *event)
{
    m_shown = true;
    if (m_deferred.isBusy())
        m_timer->start();
    QDialog::showEvent(event);
}

void MatrixMixValueWidget::hideEvent(QHideEvent *event)
{
    // The last edit goes out for the crosspoints it was made for, then the
    // selection is cleared.
    m_deferred.settle();
    m_shown = false;
    m_timer->stop();
    m_grid->clearSelection();
    QDialog::hideEvent(event);
}
