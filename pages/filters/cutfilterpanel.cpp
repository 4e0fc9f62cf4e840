#include "pages/filters/cutfilterpanel.h"

#include "pages/accessibility.h"

#include "pages/filters/filterrecords.h"
#include "pages/filters/filtertables.h"
#include "pages/knobfield.h"
#include "widgets/appfont.h"
#include "widgets/knob.h"
#include "widgets/lazycombobox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <cmath>

namespace {
const char FrequencyPattern[] = "20000|(1?[0-9]{0,4})";
} // namespace

CutFilterPanel::CutFilterPanel(QWidget *parent)
    : QWidget(parent), m_title(new QLabel(this)), m_enable(new QPushButton(this)),
      m_typeCaption(new QLabel(this)), m_type(new LazyComboBox(appFont(8), this)),
      m_slopeCaption(new QLabel(this)), m_slope(new LazyComboBox(appFont(8), this)),
      m_frequencyCaption(new QLabel(this)), m_frequency(new KnobField(this))
{
    setObjectName(QStringLiteral("filterCtrlBgWidget"));
    setAttribute(Qt::WA_StyledBackground);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    m_enable->setObjectName(QStringLiteral("normalButton"));
    m_enable->setCheckable(true);
    m_enable->setFixedSize(60, 22);
    for (int i = 0; i < FilterTables::CutTypes; ++i)
        m_type->addItem(QString());
    m_slope->addItems({QStringLiteral("-6dB/oct"), QStringLiteral("-12dB/oct"),
                       QStringLiteral("-18dB/oct"), QStringLiteral("-24dB/oct"),
                       QStringLiteral("-36dB/oct"), QStringLiteral("-48dB/oct")});
    m_type->setFixedSize(92, 22);
    m_slope->setFixedSize(92, 22);

    m_frequencyCaption->setAlignment(Qt::AlignCenter);
    m_frequency->setRange(FilterTables::MinFrequency, FilterTables::MaxFrequency);
    m_frequency->setFormat("%.0f");
    m_frequency->knob()->setSize(Knob::Medium);
    m_frequency->knob()->setStep(1);
    m_frequency->edit()->setFixedWidth(52);
    m_frequency->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(FrequencyPattern)), m_frequency));

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(6); // margins and row spacing follow the font (retranslate)
    grid->addWidget(m_title, 0, 0, 1, 2);
    grid->addWidget(m_enable, 1, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(m_typeCaption, 2, 0);
    grid->addWidget(m_type, 2, 1);
    grid->addWidget(m_slopeCaption, 3, 0);
    grid->addWidget(m_slope, 3, 1);
    grid->addWidget(m_frequencyCaption, 0, 2);
    grid->addWidget(m_frequency, 1, 2, 3, 1, Qt::AlignHCenter | Qt::AlignTop);
    grid->setRowStretch(4, 1);
}

void CutFilterPanel::setAccessibleNames(const QString &channel)
{
    const QString panel = channel + QStringLiteral(", ") + m_title->text();
    nameControls(panel, {{m_enable, m_enable->text()},
                         {m_type, m_typeCaption->text()},
                         {m_slope, m_slopeCaption->text()}});
    m_frequency->setAccessibleLabel(panel + QStringLiteral(", ") + tr("frequency"),
                                    QStringLiteral("Hz"));
}

void CutFilterPanel::retranslate(const QString &title)
{
    m_title->setText(title);
    m_enable->setText(tr("Enable"));
    m_typeCaption->setText(tr("Type"));
    m_slopeCaption->setText(tr("Slope"));
    m_frequencyCaption->setText(tr("Freq.(Hz)"));
    m_type->setItemText(0, tr("Bessel"));
    m_type->setItemText(1, tr("Butterworth"));
    m_type->setItemText(2, tr("Link-Riley"));

    m_title->setFont(appFont(10, true));
    for (QWidget *w :
         {static_cast<QWidget *>(m_enable), static_cast<QWidget *>(m_typeCaption),
          static_cast<QWidget *>(m_slopeCaption), static_cast<QWidget *>(m_frequencyCaption),
          static_cast<QWidget *>(m_frequency->edit())})
        w->setFont(appFont(9));
    m_type->setFont(appFont(8));
    m_slope->setFont(appFont(8));
    // Fonts with taller lines (CJK) bring their own space between the rows;
    // the panel keeps its height.
    const int slack = lineSlack(appFont(9));
    auto *grid = static_cast<QGridLayout *>(layout());
    grid->setContentsMargins(6, qMax(1, 4 - slack), 6, qMax(1, 4 - slack));
    grid->setVerticalSpacing(qMax(0, 3 - slack));
}

void CutFilterPanel::show(const CutFilterRecord &r)
{
    const QSignalBlocker enable(m_enable), type(m_type), slope(m_slope);
    m_enable->setChecked(r.enable);
    m_type->setCurrentIndex(r.type);
    m_slope->setCurrentIndex(r.slope);
    m_frequency->setValue(std::round(r.frequency));
}
