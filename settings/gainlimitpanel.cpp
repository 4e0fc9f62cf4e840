#include "settings/gainlimitpanel.h"

#include "widgets/appfont.h"
#include "widgets/fieldsync.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

GainLimitPanel::GainLimitPanel(QWidget *parent) : QWidget(parent), m_title(new QLabel(this))
{
    setObjectName(QStringLiteral("gainLimitCtrlBgWidget"));
    setAttribute(Qt::WA_StyledBackground);
    m_title->setObjectName(QStringLiteral("titleLabel"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int s = 0; s < 2; ++s) {
        m_sideCaptions[s] = new QLabel(this);
        m_sideCaptions[s]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_sideCaptions[s], 0, 1 + 2 * s, 1, 2);
    }
    for (int b = 0; b < 4; ++b) {
        m_boundCaptions[b] = new QLabel(this);
        m_boundCaptions[b]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_boundCaptions[b], 1, 1 + b);
    }
    for (int c = 0; c < Channels; ++c) {
        m_numbers[size_t(c)] = new QLabel(QString::number(c + 1), this);
        m_numbers[size_t(c)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(m_numbers[size_t(c)], 2 + c, 0);
        for (int col = 0; col < 4; ++col) {
            auto *box = new QSpinBox(this);
            box->setRange(Lowest, Highest);
            box->setValue(col % 2 == Maximum ? Highest : Lowest);
            box->setFixedSize(50, 18);
            box->setAlignment(Qt::AlignRight);
            // A typed value counts once it is complete, not at every keystroke.
            box->setKeyboardTracking(false);
            m_columns[size_t(col)][size_t(c)] = box;
            grid->addWidget(box, 2 + c, 1 + col);
        }
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(3);
    layout->addWidget(m_title);
    layout->addLayout(grid);
    layout->addStretch(1);
    retranslate();
}

GainLimitPanel::Column &GainLimitPanel::column(Side side, Bound bound)
{
    return m_columns[size_t(side * 2 + bound)];
}

const GainLimitPanel::Column &GainLimitPanel::column(Side side, Bound bound) const
{
    return m_columns[size_t(side * 2 + bound)];
}

QSpinBox *GainLimitPanel::spinBox(Side side, Bound bound, int channel) const
{
    if (channel < 0 || channel >= Channels)
        return nullptr;
    return column(side, bound)[size_t(channel)];
}

int GainLimitPanel::channelOf(const QObject *spinBox) const
{
    for (const Column &col : m_columns)
        for (int c = 0; c < Channels; ++c)
            if (col[size_t(c)] == spinBox)
                return c;
    return -1;
}

int GainLimitPanel::maximum(Side side, int channel) const
{
    return column(side, Maximum)[size_t(channel)]->value();
}

int GainLimitPanel::minimum(Side side, int channel) const
{
    return column(side, Minimum)[size_t(channel)]->value();
}

void GainLimitPanel::setLimits(Side side, int channel, int upper, int lower)
{
    if (channel < 0 || channel >= Channels)
        return;
    for (auto [bound, value] : {std::pair{Maximum, upper}, std::pair{Minimum, lower}})
        FieldSync::showValue(column(side, bound)[size_t(channel)], value);
}

void GainLimitPanel::retranslate()
{
    m_title->setText(tr("Touch screen gain limit"));
    m_title->setFont(appFont(8, true));
    m_sideCaptions[Input]->setText(tr("Input"));
    m_sideCaptions[Output]->setText(tr("Output"));
    for (int b = 0; b < 4; ++b)
        m_boundCaptions[b]->setText(b % 2 == Maximum ? tr("Maximum") : tr("Minimum"));
    const QFont font = appFont(8);
    for (QLabel *l : m_sideCaptions)
        l->setFont(appFont(8, true));
    for (QLabel *l : m_boundCaptions)
        l->setFont(font);
    for (QLabel *l : m_numbers)
        l->setFont(font);
    for (Column &col : m_columns)
        for (QSpinBox *box : col)
            box->setFont(font);
    // "IN 3, Touch screen gain limit, Maximum": 64 boxes alike.
    for (int col = 0; col < 4; ++col)
        for (int c = 0; c < Channels; ++c)
            m_columns[size_t(col)][size_t(c)]->setAccessibleName(
                QStringLiteral("%1 %2, %3, %4")
                    .arg(col / 2 == Input ? QStringLiteral("IN") : QStringLiteral("OUT"))
                    .arg(c + 1)
                    .arg(m_title->text(), m_boundCaptions[col]->text()));
}
