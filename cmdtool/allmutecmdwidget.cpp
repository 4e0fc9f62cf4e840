#include "cmdtool/allmutecmdwidget.h"

#include "cmdtool/cmdtoolparts.h"

#include <QEvent>
#include <QGridLayout>
#include <QPushButton>

AllMuteCmdWidget::AllMuteCmdWidget(QWidget *parent)
    : QWidget(parent), m_muteButton(CmdToolParts::toggleButton("allMuteToggle", this)),
      m_generateButton(CmdToolParts::generateButton("muteGenButton", this))
{
    QGridLayout *grid = CmdToolParts::panelGrid(this);
    grid->addWidget(m_muteButton, 0, 0);
    grid->addWidget(m_generateButton, 0, 1);
    CmdToolParts::finishPanelGrid(grid);

    connect(m_generateButton, &QPushButton::clicked, this, &AllMuteCmdWidget::sigMuteGenClicked);

    retranslateUi();
}

bool AllMuteCmdWidget::isAllMute() const
{
    return m_muteButton->isChecked();
}

void AllMuteCmdWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void AllMuteCmdWidget::retranslateUi()
{
    m_muteButton->setText(tr("All Mute"));
    m_generateButton->setText(tr("Generate Command"));
}
