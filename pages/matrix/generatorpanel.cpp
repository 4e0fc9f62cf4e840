#include "pages/matrix/generatorpanel.h"

#include "pages/accessibility.h"

#include "model/unitstate.h"

#include "pages/deferredsend.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/fieldsync.h"
#include "widgets/qfader.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace Cmd = Proto::GeneratorCmd;

namespace {
const char *const TypeNames[GeneratorPanel::TypeCount] = {
    QT_TRANSLATE_NOOP("GeneratorPanel", "PinkNoise"), QT_TRANSLATE_NOOP("GeneratorPanel", "Sine"),
    QT_TRANSLATE_NOOP("GeneratorPanel", "WhiteNoise")};

void dropFocus(QLineEdit *edit)
{
    // Losing the focus would finish the edit a second time.
    const QSignalBlocker blocker(edit);
    edit->clearFocus();
}

void setCheckedSilently(QPushButton *button, bool checked)
{
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}
} // namespace

GeneratorPanel::GeneratorPanel(Model::UnitState &unit, DeferredSend &deferred, int gainKey,
                               QWidget *parent)
    : QWidget(parent), m_unit(unit), m_deferred(deferred), m_gainKey(gainKey),
      m_title(new QLabel(this)), m_freqCaption(new QLabel(this)), m_freqEdit(new QLineEdit(this)),
      m_typeBox(new QComboBox(this)), m_mute(new QPushButton(this)),
      m_gainCaption(new QLabel(this)), m_gainEdit(new QLineEdit(this)), m_fader(new QFader(this)),
      m_outCaption(new QLabel(this))
{
    setObjectName(QStringLiteral("signalWidget"));
    setAttribute(Qt::WA_StyledBackground);
    m_title->setObjectName(QStringLiteral("titleLabel"));

    // Digits only: a typed number of any size is capped, never wrapped.
    m_freqEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\d{0,9}$")), this));
    m_freqEdit->setFixedWidth(50);
    m_freqEdit->setAlignment(Qt::AlignCenter);
    connect(m_freqEdit, &QLineEdit::editingFinished, this, &GeneratorPanel::sigFreqEditingFinished);

    for (int t = 0; t < TypeCount; ++t)
        m_typeBox->addItem(QString());
    m_typeBox->setCurrentIndex(int(value(TypeParam)));
    m_typeBox->setFixedSize(82, 22);
    connect(m_typeBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &GeneratorPanel::sigSrcChanged);

    m_mute->setObjectName(QStringLiteral("muteButton"));
    m_mute->setCheckable(true);
    m_mute->setFixedSize(60, 22);
    connect(m_mute, &QPushButton::clicked, this, &GeneratorPanel::sigMuteClick);

    m_gainEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^-?\\d{0,4}$")), this));
    m_gainEdit->setFixedWidth(40);
    m_gainEdit->setAlignment(Qt::AlignCenter);
    connect(m_gainEdit, &QLineEdit::editingFinished, this, &GeneratorPanel::sigGainEditingFinished);
    m_fader->setRange(float(GainMin), float(GainMax));
    m_fader->setStep(1.0f);
    m_fader->setFixedWidth(55);
    m_fader->setMinimumHeight(110);
    connect(m_fader, &QFader::valueChanged, this, &GeneratorPanel::sigGainChanged);

    auto *outGrid = new QGridLayout;
    outGrid->setSpacing(2);
    for (int o = 0; o < OutputCount; ++o) {
        auto *b = new QPushButton(QString::number(o + 1), this);
        b->setObjectName(QStringLiteral("normalButton"));
        b->setCheckable(true);
        b->setFixedSize(36, 22);
        b->setToolTip(QStringLiteral("OUT %1 : ").arg(o + 1));
        connect(b, &QPushButton::clicked, this, &GeneratorPanel::sigOutBtnClick);
        m_outButtons[size_t(o)] = b;
        outGrid->addWidget(b, o / 4, o % 4);
    }

    auto *freqRow = new QHBoxLayout;
    freqRow->addWidget(m_freqCaption);
    freqRow->addWidget(m_freqEdit);
    freqRow->addStretch(1);
    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(m_typeBox);
    typeRow->addWidget(m_mute);
    typeRow->addStretch(1);
    auto *gainText = new QVBoxLayout;
    gainText->addStretch(1);
    gainText->addWidget(m_gainCaption);
    gainText->addWidget(m_gainEdit, 0, Qt::AlignHCenter);
    gainText->addStretch(1);
    auto *gainRow = new QHBoxLayout;
    gainRow->addLayout(gainText);
    gainRow->addWidget(m_fader);
    gainRow->addStretch(1);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(4, 3, 4, 4);
    v->setSpacing(3);
    v->addWidget(m_title);
    v->addLayout(freqRow);
    v->addLayout(typeRow);
    v->addLayout(gainRow, 1);
    v->addWidget(m_outCaption);
    v->addLayout(outGrid);

    showAll();
    // Values change only where the state's change: a field the operator
    // types in keeps its text when the unit reports the same value.
    connect(&m_unit, &Model::UnitState::changed, this, &GeneratorPanel::stateChanged);
    retranslate();
}

Model::ParamId GeneratorPanel::param(Param which, int output)
{
    static const int params[] = {
        Model::Catalogue::instance().paramIndex("generator.output.#"),
        Model::Catalogue::instance().paramIndex("generator.frequency"),
        Model::Catalogue::instance().paramIndex("generator.type"),
        Model::Catalogue::instance().paramIndex("generator.mute"),
        Model::Catalogue::instance().paramIndex("generator.gain"),
    };
    return Model::ParamId{params[which], output, 0};
}

double GeneratorPanel::value(Param which) const
{
    return m_unit.number(param(which));
}

void GeneratorPanel::set(Param which, double value, int output)
{
    m_unit.setNumber(param(which, output), value);
}

void GeneratorPanel::send(Param which, int output)
{
    sendFrame(m_unit.writeFrameOf(param(which, output)));
    m_unit.commit();
}

GeneratorPanel::State GeneratorPanel::state() const
{
    State s;
    s.mute = value(MuteParam) != 0 ? 1 : 0;
    s.frequency = quint16(value(FrequencyParam));
    s.type = quint8(value(TypeParam));
    s.gain = int(value(GainParam));
    for (int o = 0; o < OutputCount; ++o)
        s.outputs[size_t(o)] = m_unit.isOn(param(OutputParam, o)) ? 1 : 0;
    return s;
}

// Shows the state's generator; nothing is sent.
void GeneratorPanel::showAll()
{
    for (int o = 0; o < OutputCount; ++o)
        setCheckedSilently(m_outButtons[size_t(o)], m_unit.isOn(param(OutputParam, o)));
    setCheckedSilently(m_mute, value(MuteParam) != 0);
    showType();
    showFrequency();
    showGain();
}

void GeneratorPanel::showType()
{
    const QSignalBlocker blocker(m_typeBox);
    m_typeBox->setCurrentIndex(int(value(TypeParam)));
}

void GeneratorPanel::stateChanged(const Model::ParamId &id)
{
    if (id.param == param(OutputParam).param)
        setCheckedSilently(m_outButtons[size_t(qBound(0, id.a, OutputCount - 1))], m_unit.isOn(id));
    else if (id == param(MuteParam))
        setCheckedSilently(m_mute, m_unit.isOn(id));
    else if (id == param(TypeParam))
        showType();
    else if (id == param(FrequencyParam))
        showFrequency();
    else if (id == param(GainParam))
        showGain();
}

QPushButton *GeneratorPanel::outputButton(int output) const
{
    return output >= 0 && output < OutputCount ? m_outButtons[size_t(output)] : nullptr;
}

void GeneratorPanel::retranslate()
{
    const QFont font = appFont(8);
    QFont caption = font;
    caption.setPointSizeF(7.5);
    m_title->setText(tr("Signal generator"));
    m_title->setFont(appFont(8, true));
    m_freqCaption->setText(tr("Freq.(Hz)"));
    m_mute->setText(tr("Mute"));
    m_gainCaption->setText(tr("Gain(dB)"));
    m_outCaption->setText(tr("Output Channel"));
    for (int t = 0; t < TypeCount; ++t)
        m_typeBox->setItemText(t, QCoreApplication::translate("GeneratorPanel", TypeNames[t]));
    for (QWidget *w : std::initializer_list<QWidget *>{m_freqEdit, m_typeBox, m_mute, m_gainEdit})
        w->setFont(font);
    for (QWidget *w : std::initializer_list<QWidget *>{m_freqCaption, m_gainCaption, m_outCaption})
        w->setFont(caption);
    for (QPushButton *b : m_outButtons)
        b->setFont(font);
    updateAccessibleNames();
}

void GeneratorPanel::updateAccessibleNames()
{
    const QString title = m_title->text();
    nameControls(title, {{m_freqEdit, tr("frequency (Hz)")},
                         {m_typeBox, tr("signal")},
                         {m_mute, m_mute->text()},
                         {m_gainEdit, tr("level")},
                         {m_fader, tr("level")}});
    for (int o = 0; o < OutputCount; ++o)
        m_outButtons[size_t(o)]->setAccessibleName(
            title + QStringLiteral(", ") +
            channelLabel(QStringLiteral("OUT %1").arg(o + 1), m_outNames[size_t(o)]));
}

void GeneratorPanel::setOutputName(int output, const QString &name)
{
    if (QPushButton *b = outputButton(output)) {
        b->setToolTip(QStringLiteral("OUT %1 : ").arg(output + 1) + name);
        m_outNames[size_t(output)] = name;
        updateAccessibleNames();
    }
}

void GeneratorPanel::showFrequency()
{
    FieldSync::showText(m_freqEdit, QString::asprintf("%d", int(value(FrequencyParam))));
}

void GeneratorPanel::showGain()
{
    // The fader and its field are one control: neither moves while the
    // operator types in the field.
    if (FieldSync::isBeingEdited(m_gainEdit))
        return;
    const int gain = int(value(GainParam));
    m_fader->setValue(float(gain));
    FieldSync::showText(m_gainEdit, QString::asprintf("%d", gain));
}

void GeneratorPanel::sendGain()
{
    send(GainParam);
}

void GeneratorPanel::sigFreqEditingFinished()
{
    FieldSync::endEdit(m_freqEdit);
    // No number reads as 0; anything above the top (however large) is the top.
    bool ok = false;
    const qulonglong typed = m_freqEdit->text().trimmed().toULongLong(&ok);
    const auto frequency = quint16(ok ? qMin<qulonglong>(typed, MaxFrequency) : 0);
    if (frequency != int(value(FrequencyParam))) {
        set(FrequencyParam, frequency);
        send(FrequencyParam);
    }
    showFrequency();
    dropFocus(m_freqEdit);
}

void GeneratorPanel::sigSrcChanged(int index)
{
    if (index < 0 || index >= TypeCount)
        return;
    // A sine starts at 1 kHz; the unit is told the frequency before the type.
    if (index == Sine && int(value(FrequencyParam)) != SineFrequency) {
        set(FrequencyParam, SineFrequency);
        showFrequency();
        send(FrequencyParam);
    }
    set(TypeParam, index);
    send(TypeParam);
}

void GeneratorPanel::sigGainChanged(float fval)
{
    const int gain = qBound(GainMin, int(std::lround(fval)), GainMax);
    if (gain != int(value(GainParam))) {
        set(GainParam, gain);
        showGain();
    }
    m_deferred.edit(m_gainKey);
}

void GeneratorPanel::sigGainEditingFinished()
{
    FieldSync::endEdit(m_gainEdit);
    bool ok = false;
    const int typed = m_gainEdit->text().trimmed().toInt(&ok);
    const int gain = qBound(GainMin, ok ? typed : 0, GainMax);
    if (gain != int(value(GainParam))) {
        set(GainParam, gain);
        m_deferred.edit(m_gainKey);
    }
    showGain();
    dropFocus(m_gainEdit);
}

void GeneratorPanel::sigMuteClick(bool isChecked)
{
    set(MuteParam, isChecked ? 1 : 0);
    send(MuteParam);
}

void GeneratorPanel::sigOutBtnClick(bool isChecked)
{
    for (int o = 0; o < OutputCount; ++o) {
        if (sender() != m_outButtons[size_t(o)])
            continue;
        set(OutputParam, isChecked ? 1 : 0, o);
        send(OutputParam, o);
        return;
    }
}

void GeneratorPanel::refresh()
{
    for (quint8 cmd : {Cmd::Outputs, Cmd::Frequency, Cmd::Type, Cmd::Mute, Cmd::Gain})
        sendPacket(Proto::OpBlock, Module, cmd, Proto::FlagRead);
}

// Answers update the controls without sending anything; a field the
// operator types in keeps what is typed.
void GeneratorPanel::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd < Cmd::Outputs || cmd > Cmd::Mute || length != payload.size())
        return; // cmd 0 and 6 and above are not the generator's
    m_unit.apply(Proto::OpBlock, Module, cmd, flag, payload);
}
