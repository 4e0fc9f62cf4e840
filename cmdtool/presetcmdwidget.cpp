#include "cmdtool/presetcmdwidget.h"

#include "cmdtool/cmdtoolparts.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

PresetCmdWidget::PresetCmdWidget(QWidget *parent)
    : QWidget(parent), m_captionLabel(new QLabel(this)), m_presetLabel(new QLabel(this)),
      m_presetBox(new QComboBox(this)),
      m_generateButton(CmdToolParts::generateButton("loadGenButton", this))
{
    m_presetBox->setObjectName(QStringLiteral("presetBox"));
    for (int i = 1; i <= PresetCount; ++i)
        m_presetBox->addItem(QString::number(i));
    CmdToolParts::setControlWidth(m_presetBox);
    m_presetLabel->setBuddy(m_presetBox);

    QGridLayout *grid = CmdToolParts::panelGrid(this);
    grid->addWidget(m_captionLabel, 0, 0, 1, 3);
    grid->addWidget(m_presetLabel, 1, 0);
    grid->addWidget(m_presetBox, 1, 1);
    grid->addWidget(m_generateButton, 1, 2);
    CmdToolParts::finishPanelGrid(grid);

    connect(m_generateButton, &QPushButton::clicked, this, &PresetCmdWidget::sigLoadGenClicked);

    retranslateUi();
}

int PresetCmdWidget::presetIndex() const
{
    return m_presetBox->currentIndex();
}

void PresetCmdWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void PresetCmdWidget::retranslateUi()
{
    m_captionLabel->setText(tr("Preset Recall"));
    m_presetLabel->setText(tr("Preset Number :"));
    m_generateButton->setText(tr("Generate Command"));
}
