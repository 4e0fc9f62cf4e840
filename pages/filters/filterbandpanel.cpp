#include "pages/filters/filterbandpanel.h"

#include "pages/accessibility.h"

#include "pages/filters/filterrecords.h"
#include "pages/filters/filtertables.h"
#include "pages/knobfield.h"
#include "widgets/appfont.h"
#include "widgets/fieldsync.h"
#include "widgets/knob.h"
#include "widgets/lazycombobox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char FrequencyPattern[] = "20000|(1?[0-9]{0,4})";
const char GainPattern[] = "^-?(20|[0-1]?\\d(\\.\\d{1,1})?)$";

QVBoxLayout *captioned(QLabel *caption, QWidget *control)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    caption->setAlignment(Qt::AlignCenter);
    column->addWidget(caption);
    column->addWidget(control, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return column;
}
} // namespace

FilterBandPanel::FilterBandPanel(QWidget *parent)
    : QWidget(parent), m_bandCaption(new QLabel(this)), m_enable(new QPushButton(this)),
      m_typeCaption(new QLabel(this)), m_type(new LazyComboBox(appFont(8), this)),
      m_frequencyCaption(new QLabel(this)), m_frequency(new KnobField(this)),
      m_gainCaption(new QLabel(this)), m_gain(new KnobField(this)), m_qCaption(new QLabel(this)),
      m_q(new KnobField(this))
{
    setObjectName(QStringLiteral("filterCtrlBgWidget"));
    setAttribute(Qt::WA_StyledBackground);

    auto *buttons = new QGridLayout;
    buttons->setSpacing(2);
    for (int b = 0; b < Bands; ++b) {
        auto *button = new QPushButton(QString::number(b + 1), this);
        button->setObjectName(QStringLiteral("normalButton"));
        button->setCheckable(true);
        button->setFixedSize(26, 22);
        buttons->addWidget(button, b / 8, b % 8);
        m_bandButtons[size_t(b)] = button;
    }
    m_bandButtons[0]->setChecked(true);
    m_bandCaption->setObjectName(QStringLiteral("titleLabel"));
    auto *bandColumn = new QVBoxLayout;
    bandColumn->setSpacing(3);
    bandColumn->addWidget(m_bandCaption);
    bandColumn->addLayout(buttons);
    bandColumn->addStretch(1);

    m_enable->setObjectName(QStringLiteral("normalButton"));
    m_enable->setCheckable(true);
    m_enable->setFixedSize(92, 22);
    m_type->addItems({QString(), QString(), QString()});
    m_type->setFixedSize(92, 22);
    auto *switches = new QVBoxLayout;
    switches->setSpacing(3);
    switches->addSpacing(16);
    switches->addWidget(m_enable);
    switches->addWidget(m_typeCaption);
    switches->addWidget(m_type);
    switches->addStretch(1);

    m_frequency->setRange(FilterTables::MinFrequency, FilterTables::MaxFrequency);
    m_frequency->setFormat("%.0f");
    m_frequency->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(FrequencyPattern)), m_frequency));
    m_gain->setScale(10);
    m_gain->setRange(-15.0f, 15.0f);
    m_gain->setFormat("%0.1f");
    m_gain->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(GainPattern)), m_gain));
    m_q->setRange(0, FilterTables::QIndexCount - 1);
    m_q->edit()->setReadOnly(true);
    m_q->setValueText([](float index) {
        return QStringLiteral("Q %1").arg(
            double(FilterTables::qValue(
                qBound(0, int(std::lround(index)), FilterTables::QIndexCount - 1))),
            0, 'f', 2);
    });
    m_q->edit()->setFocusPolicy(Qt::NoFocus);
    for (KnobField *field : {m_frequency, m_gain, m_q}) {
        field->knob()->setSize(Knob::Medium);
        field->knob()->setStep(1);
        field->edit()->setFixedWidth(52);
    }

    auto *row = new QHBoxLayout(this); // margins follow the font (retranslate)
    row->setSpacing(10);
    row->addLayout(bandColumn);
    row->addStretch(1);
    row->addLayout(switches);
    row->addStretch(1);
    row->addLayout(captioned(m_frequencyCaption, m_frequency));
    row->addLayout(captioned(m_gainCaption, m_gain));
    row->addLayout(captioned(m_qCaption, m_q));
    row->addStretch(1);
}

int FilterBandPanel::bandOf(QObject *button) const
{
    for (int b = 0; b < Bands; ++b)
        if (m_bandButtons[size_t(b)] == button)
            return b;
    return -1;
}

void FilterBandPanel::show(const PeqBandRecord &r)
{
    {
        const QSignalBlocker enable(m_enable), type(m_type);
        m_enable->setChecked(r.enable);
        m_type->setCurrentIndex(r.type);
    }
    m_frequency->setValue(std::round(r.frequency));
    // The gain field takes more than the knob's range, so the two are set
    // apart; neither while the operator types in the field.
    if (!m_gain->isBeingEdited()) {
        m_gain->knob()->setValue(r.gain * 10.0f);
        m_gain->showText(r.gain);
    }
    m_q->knob()->setValue(r.qIndex);
    FieldSync::showText(m_q->edit(),
                        QString::asprintf("%0.2f", double(FilterTables::qValue(r.qIndex))));
}

void FilterBandPanel::showSelected(int band)
{
    for (int b = 0; b < Bands; ++b) {
        const QSignalBlocker blocker(m_bandButtons[size_t(b)]);
        m_bandButtons[size_t(b)]->setChecked(b == band);
    }
}

void FilterBandPanel::setEditable(bool editable)
{
    for (QWidget *w : {static_cast<QWidget *>(m_enable), static_cast<QWidget *>(m_type),
                       static_cast<QWidget *>(m_frequency), static_cast<QWidget *>(m_gain),
                       static_cast<QWidget *>(m_q)})
        w->setEnabled(editable);
}

bool FilterBandPanel::isEditable() const
{
    return m_gain->isEnabled();
}

void FilterBandPanel::setAccessibleNames(const QString &channel, int band)
{
    const QString shown = channel + QStringLiteral(", ") + tr("band %1").arg(band + 1);
    nameControls(shown, {{m_enable, m_enable->text()}, {m_type, m_typeCaption->text()}});
    m_frequency->setAccessibleLabel(shown + QStringLiteral(", ") + tr("frequency"),
                                    QStringLiteral("Hz"));
    m_gain->setAccessibleLabel(shown + QStringLiteral(", ") + tr("gain"), QStringLiteral("dB"));
    m_q->setAccessibleLabel(shown + QStringLiteral(", Q"));
    for (int b = 0; b < Bands; ++b)
        m_bandButtons[size_t(b)]->setAccessibleName(channel + QStringLiteral(", ") +
                                                    tr("band %1").arg(b + 1));
}

void FilterBandPanel::retranslate()
{
    m_bandCaption->setText(tr("Band"));
    m_enable->setText(tr("Enable"));
    m_typeCaption->setText(tr("Type"));
    m_type->setItemText(0, tr("PEQ"));
    m_type->setItemText(1, tr("LowShelf"));
    m_type->setItemText(2, tr("HighShelf"));
    m_frequencyCaption->setText(tr("Freq.(Hz)"));
    m_gainCaption->setText(tr("Gain(dB)"));
    m_qCaption->setText(tr("Q"));
    m_qCaption->setToolTip(tr("Q: the sharpness of the band; higher values affect a narrower "
                              "range of frequencies"));
    m_type->setToolTip(tr("PEQ: peaking filter; LowShelf and HighShelf raise or lower "
                          "everything below or above the frequency"));

    m_bandCaption->setFont(appFont(10, true));
    for (QWidget *w :
         {static_cast<QWidget *>(m_enable), static_cast<QWidget *>(m_typeCaption),
          static_cast<QWidget *>(m_frequencyCaption), static_cast<QWidget *>(m_gainCaption),
          static_cast<QWidget *>(m_qCaption), static_cast<QWidget *>(m_frequency->edit()),
          static_cast<QWidget *>(m_gain->edit()), static_cast<QWidget *>(m_q->edit())})
        w->setFont(appFont(9));
    m_type->setFont(appFont(8));
    for (QPushButton *b : m_bandButtons)
        b->setFont(appFont(8));
    // Fonts with taller lines (CJK) bring their own space above and below the
    // captions; the panel keeps its height.
    const int margin = qMax(1, 4 - lineSlack(appFont(9)));
    layout()->setContentsMargins(6, margin, 6, margin);
}
