#include "cmdtool/levelcmdwidget.h"

#include "cmdtool/cmdtoolparts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

LevelCmdWidget::LevelCmdWidget(const char *itemPrefix, QWidget *parent)
    : QWidget(parent), m_itemPrefix(itemPrefix), m_channelLabel(new QLabel(this)),
      m_channelBox(new QComboBox(this)),
      m_muteButton(CmdToolParts::toggleButton("muteToggle", this)),
      m_muteGenButton(CmdToolParts::generateButton("muteGenButton", this)),
      m_invertButton(CmdToolParts::toggleButton("invertToggle", this)),
      m_invertGenButton(CmdToolParts::generateButton("invertGenButton", this)),
      m_gainLabel(new QLabel(this)), m_gainBox(makeGainBox("gainSpinBox", 0.0)),
      m_gainGenButton(CmdToolParts::generateButton("gainGenButton", this)),
      m_gainDeltaLabel(new QLabel(this)),
      // A step of 0 dB would change nothing; one decibel is the usual step.
      m_gainDeltaBox(makeGainBox("gainDeltaSpinBox", 1.0)),
      m_gainDeltaGenButton(CmdToolParts::generateButton("gainDeltaGenButton", this))
{
    m_channelBox->setObjectName(QStringLiteral("channelBox"));
    for (int i = 0; i < ChannelCount; ++i)
        m_channelBox->addItem(QString());
    CmdToolParts::setControlWidth(m_channelBox);
    m_channelLabel->setBuddy(m_channelBox);
    m_gainLabel->setBuddy(m_gainBox);
    m_gainDeltaLabel->setBuddy(m_gainDeltaBox);

    QGridLayout *grid = CmdToolParts::panelGrid(this);
    grid->addWidget(m_channelLabel, 0, 0);
    grid->addWidget(m_channelBox, 0, 1);
    grid->addWidget(m_muteButton, 1, 1);
    grid->addWidget(m_muteGenButton, 1, 2);
    grid->addWidget(m_invertButton, 2, 1);
    grid->addWidget(m_invertGenButton, 2, 2);
    grid->addWidget(m_gainLabel, 3, 0);
    grid->addWidget(m_gainBox, 3, 1);
    grid->addWidget(m_gainGenButton, 3, 2);
    grid->addWidget(m_gainDeltaLabel, 4, 0);
    grid->addWidget(m_gainDeltaBox, 4, 1);
    grid->addWidget(m_gainDeltaGenButton, 4, 2);
    CmdToolParts::finishPanelGrid(grid);

    connect(m_muteGenButton, &QPushButton::clicked, this, &LevelCmdWidget::sigMuteGenClicked);
    connect(m_invertGenButton, &QPushButton::clicked, this, &LevelCmdWidget::sigInvertGenClicked);
    connect(m_gainGenButton, &QPushButton::clicked, this, &LevelCmdWidget::sigGainGenClicked);
    connect(m_gainDeltaGenButton, &QPushButton::clicked, this,
            &LevelCmdWidget::sigGainDeltaGenClicked);

    retranslateUi();
}

int LevelCmdWidget::channel() const
{
    return m_channelBox->currentIndex();
}

bool LevelCmdWidget::isMuted() const
{
    return m_muteButton->isChecked();
}

bool LevelCmdWidget::isInverted() const
{
    return m_invertButton->isChecked();
}

double LevelCmdWidget::gain() const
{
    return m_gainBox->value();
}

double LevelCmdWidget::gainDelta() const
{
    return m_gainDeltaBox->value();
}

void LevelCmdWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

QDoubleSpinBox *LevelCmdWidget::makeGainBox(const char *objectName, double initial)
{
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setRange(GainMinimum, GainMaximum);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setValue(initial);
    box->setAlignment(Qt::AlignRight);
    CmdToolParts::setControlWidth(box);
    return box;
}

void LevelCmdWidget::retranslateUi()
{
    const QString prefix = tr(m_itemPrefix);
    for (int i = 0; i < ChannelCount; ++i)
        m_channelBox->setItemText(i, prefix + QString::number(i + 1));
    m_channelLabel->setText(tr("Channel :"));
    m_muteButton->setText(tr("Mute"));
    m_invertButton->setText(tr("Invert"));
    m_gainLabel->setText(tr("Gain(Fixed Value)"));
    m_gainDeltaLabel->setText(tr("Gain accumulation/subtract consecutively"));
    const QString unit = tr(" dB");
    m_gainBox->setSuffix(unit);
    m_gainDeltaBox->setSuffix(unit);
    for (QPushButton *button :
         {m_muteGenButton, m_invertGenButton, m_gainGenButton, m_gainDeltaGenButton})
        button->setText(tr("Generate Command"));
}
