#include "pages/filters/delaypage.h"

#include "pages/accessibility.h"

#include "model/unitstate.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/elidedlabel.h"
#include "widgets/fieldsync.h"
#include "widgets/knob.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Rows of a column, shared by the caption column so that captions and boxes
// line up.
constexpr int Margin = 3;
constexpr int Spacing = 3;
constexpr int TitleHeight = 18;
constexpr int NameHeight = 16;
constexpr int KnobSide = 70;
constexpr int BoxHeight = 22;
constexpr int BoxWidth = 88;
constexpr int PerRow = 8;

const char *const Captions[3] = {QT_TRANSLATE_NOOP("DelayPage", "Millisecond"),
                                 QT_TRANSLATE_NOOP("DelayPage", "Meters"),
                                 QT_TRANSLATE_NOOP("DelayPage", "Feet")};

} // namespace

DelayPage::DelayPage(const DelayPageConfig &config, QWidget *parent)
    : BlockPage(parent), m_config(config),
      m_param(Model::Catalogue::instance().paramIndex(config.param))
{
    setObjectName(QString::fromLatin1(config.objectName));
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 1, 1, 0);
    rows->setSpacing(2);
    for (int first = 0; first < Channels; first += PerRow)
        rows->addWidget(buildRow(first));
    rows->addStretch(1);
    deferred().setHoldTicks(HoldTicks);
    deferred().setSender([this](int c) { sendDelay(c); });
    retranslate();
}

QWidget *DelayPage::buildRow(int first)
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);

    auto *captions = new QVBoxLayout;
    captions->setContentsMargins(4, Margin, 2, Margin);
    captions->setSpacing(Spacing);
    captions->addSpacing(TitleHeight + Spacing + NameHeight + Spacing + KnobSide);
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(row);
        caption->setFixedHeight(BoxHeight);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        captions->addWidget(caption);
        m_captions[size_t(first / PerRow * 3 + i)] = caption;
    }
    captions->addStretch(1);
    h->addLayout(captions);
    for (int c = first; c < first + PerRow; ++c)
        h->addWidget(buildColumn(c, row), 1);
    return row;
}

QWidget *DelayPage::buildColumn(int c, QWidget *parent)
{
    Column &col = m_columns[size_t(c)];
    auto *bg = new QWidget(parent);
    bg->setObjectName(QStringLiteral("delayCtrlBgWidget"));
    bg->setAttribute(Qt::WA_StyledBackground);
    col.title =
        new QLabel(QString::fromLatin1(m_config.channelPrefix) + QString::number(c + 1), bg);
    col.title->setObjectName(QStringLiteral("titleLabel"));
    col.title->setAlignment(Qt::AlignCenter);
    col.title->setFixedHeight(TitleHeight);
    col.name = new ElidedLabel(bg);
    col.name->setFixedHeight(NameHeight);
    col.name->setAlignment(Qt::AlignCenter);
    col.name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    col.knob = new Knob(bg);
    col.knob->setSize(Knob::Medium);
    col.knob->setRange(0, m_config.maxMs * 100.0f);
    col.knob->setStep(1);
    // The knob holds hundredths of a millisecond.
    col.knob->setValueText(
        100.0f, [](float v) { return QStringLiteral("%1 ms").arg(double(v) / 100.0, 0, 'f', 2); });
    connect(col.knob, &Knob::valueChanged, this, &DelayPage::delayChanged);

    const auto box = [bg](int decimals, double step, double max) {
        auto *b = new QDoubleSpinBox(bg);
        b->setDecimals(decimals);
        b->setSingleStep(step);
        b->setRange(0.0, max);
        b->setFixedSize(BoxWidth, BoxHeight);
        b->setAlignment(Qt::AlignRight);
        // Values are taken when typing is finished, so that setting the other
        // boxes never rewrites a number while it is being typed.
        b->setKeyboardTracking(false);
        return b;
    };
    const double max = m_config.maxMs;
    col.ms = box(2, 0.01, max);
    col.meters = box(3, 0.001, metersOf(max));
    col.feet = box(3, 0.001, feetOf(max));
    connect(col.ms, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &DelayPage::msChanged);
    connect(col.meters, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &DelayPage::metersChanged);
    connect(col.feet, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &DelayPage::feetChanged);

    auto *v = new QVBoxLayout(bg);
    v->setContentsMargins(2, Margin, 2, Margin);
    v->setSpacing(Spacing);
    v->addWidget(col.title);
    v->addWidget(col.name);
    v->addWidget(col.knob, 0, Qt::AlignHCenter);
    for (QDoubleSpinBox *b : {col.ms, col.meters, col.feet})
        v->addWidget(b, 0, Qt::AlignHCenter);
    v->addStretch(1);
    return bg;
}

void DelayPage::retranslate()
{
    for (size_t i = 0; i < m_captions.size(); ++i) {
        m_captions[i]->setText(tr(Captions[i % 3]));
        m_captions[i]->setFont(appFont(8));
    }
    for (Column &col : m_columns) {
        col.title->setFont(appFont(10, true));
        col.name->setFont(appFont(8));
        for (QDoubleSpinBox *b : {col.ms, col.meters, col.feet})
            b->setFont(appFont(8));
    }
    for (int c = 0; c < Channels; ++c)
        updateAccessibleNames(c);
}

void DelayPage::updateAccessibleNames(int c)
{
    const Column &col = m_columns[size_t(c)];
    const QString channel = channelLabel(col.title, col.name);
    nameControls(channel, {{col.knob, tr("delay")},
                           {col.ms, tr(Captions[0])},
                           {col.meters, tr(Captions[1])},
                           {col.feet, tr(Captions[2])}});
}

int DelayPage::channelOf(QObject *control) const
{
    for (int c = 0; c < Channels; ++c) {
        const Column &col = m_columns[size_t(c)];
        if (control == col.knob || control == col.ms || control == col.meters ||
            control == col.feet)
            return c;
    }
    return -1;
}

float DelayPage::delay(int channel) const
{
    return float(state().number(Model::ParamId{m_param, channel, 0}));
}

void DelayPage::setDelay(int c, double ms)
{
    if (!std::isfinite(ms))
        return;
    // Kept as the float the unit takes, within the page's range.
    state().setNumber(Model::ParamId{m_param, c, 0},
                      double(float(qBound(0.0, ms, double(m_config.maxMs)))));
    showDelay(c);
}

void DelayPage::showDelay(int c)
{
    const float d = delay(c);
    const Column &col = m_columns[size_t(c)];
    // Hundredths of a millisecond, halves up.
    col.knob->setValue(float(std::floor(double(d) * 100.0 + 0.5)));
    FieldSync::showValue(col.ms, double(d));
    FieldSync::showValue(col.meters, metersOf(double(d)));
    FieldSync::showValue(col.feet, feetOf(double(d)));
}

void DelayPage::applyOperatorDelay(double ms)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    setDelay(c, ms);
    deferred().edit(c);
}

void DelayPage::delayChanged(float value)
{
    applyOperatorDelay(double(value) / 100.0);
}

void DelayPage::msChanged(double value)
{
    applyOperatorDelay(value);
}

void DelayPage::metersChanged(double fvalue)
{
    applyOperatorDelay(msOfMeters(fvalue));
}

void DelayPage::feetChanged(double value)
{
    applyOperatorDelay(msOfFeet(value));
}

Model::RecordId DelayPage::record(int c) const
{
    return Model::UnitState::catalogue().recordOf(Model::ParamId{m_param, c, 0});
}

void DelayPage::sendDelay(int c)
{
    sendWrite(state().writeFrame(record(c)));
}

void DelayPage::refresh()
{
    sendFrame(state().readFrame(record(0))); // all 16 channels in one answer
}

void DelayPage::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    Q_UNUSED(length)
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads
    // A value that is no number is skipped, the others are limited to the
    // page's range.
    if (!state().apply(Proto::OpBlock, m_config.module, cmd, flag, payload))
        return;
    for (int c = 0; c < Channels; ++c)
        showDelay(c);
}

void DelayPage::setChannelName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Column &col = m_columns[size_t(channel)];
    showChannelName(col.title, col.name, name);
    updateAccessibleNames(channel);
}
