#include "cmdtool/commandtoolwidget.h"

#include "cmdtool/allmutecmdwidget.h"
#include "cmdtool/logincmdwidget.h"
#include "cmdtool/outlevelcmdwidget.h"
#include "cmdtool/prelevelcmdwidget.h"
#include "cmdtool/presetcmdwidget.h"
#include "protocol/commandbuilder.h"
#include "protocol/frame.h"

#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

// The longest command of a fixed size (a gain command, 17 bytes) shows whole.
constexpr int WidestCommandBytes = 17;

} // namespace

CommandToolWidget::CommandToolWidget(QWidget *parent)
    : QWidget(parent), m_infoLabel(new QLabel(this)), m_tabWidget(new QTabWidget(this)),
      m_loginWidget(new LoginCmdWidget(m_tabWidget)),
      m_preLevelWidget(new PreLevelCmdWidget(m_tabWidget)),
      m_outLevelWidget(new OutLevelCmdWidget(m_tabWidget)),
      m_presetWidget(new PresetCmdWidget(m_tabWidget)),
      m_allMuteWidget(new AllMuteCmdWidget(m_tabWidget)), m_commandLabel(new QLabel(this)),
      m_commandEdit(new QLineEdit(this)), m_copyButton(new QPushButton(this))
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("commandToolWidget"));

    m_infoLabel->setObjectName(QStringLiteral("infoLabel"));
    QFont infoFont = m_infoLabel->font();
    infoFont.setPointSize(10);
    m_infoLabel->setFont(infoFont);

    m_tabWidget->setObjectName(QStringLiteral("cmdTabWidget"));
    m_loginWidget->setObjectName(QStringLiteral("loginCmdWidget"));
    m_preLevelWidget->setObjectName(QStringLiteral("preLevelCmdWidget"));
    m_outLevelWidget->setObjectName(QStringLiteral("outLevelCmdWidget"));
    m_presetWidget->setObjectName(QStringLiteral("presetCmdWidget"));
    m_allMuteWidget->setObjectName(QStringLiteral("allMuteCmdWidget"));
    for (QWidget *tab : std::initializer_list<QWidget *>{
             m_loginWidget, m_preLevelWidget, m_outLevelWidget, m_presetWidget, m_allMuteWidget})
        m_tabWidget->addTab(tab, QString());

    m_commandEdit->setObjectName(QStringLiteral("cmdLineEdit"));
    m_commandEdit->setReadOnly(true);
    m_commandEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QString widest = Proto::hexText(QByteArray(WidestCommandBytes, '\0'));
    m_commandEdit->setMinimumWidth(m_commandEdit->fontMetrics().horizontalAdvance(widest) + 16);
    m_commandLabel->setBuddy(m_commandEdit);
    m_copyButton->setObjectName(QStringLiteral("copyButton"));
    m_copyButton->setAutoDefault(false);
    m_copyButton->setEnabled(false);

    auto *commandRow = new QHBoxLayout;
    commandRow->setSpacing(8);
    commandRow->addWidget(m_commandLabel);
    commandRow->addWidget(m_commandEdit, 1);
    commandRow->addWidget(m_copyButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(m_infoLabel);
    layout->addWidget(m_tabWidget, 1);
    layout->addLayout(commandRow);

    connect(m_loginWidget, &LoginCmdWidget::sigPwdGenClicked, this, &CommandToolWidget::pwdCmdGen);
    connect(m_preLevelWidget, &LevelCmdWidget::sigMuteGenClicked, this,
            &CommandToolWidget::preLevelMuteCmdGen);
    connect(m_preLevelWidget, &LevelCmdWidget::sigInvertGenClicked, this,
            &CommandToolWidget::preLevelInvertCmdGen);
    connect(m_preLevelWidget, &LevelCmdWidget::sigGainGenClicked, this,
            &CommandToolWidget::preLevelGainCmdGen);
    connect(m_preLevelWidget, &LevelCmdWidget::sigGainDeltaGenClicked, this,
            &CommandToolWidget::preLevelGainDeltaCmdGen);
    connect(m_outLevelWidget, &LevelCmdWidget::sigMuteGenClicked, this,
            &CommandToolWidget::outLevelMuteCmdGen);
    connect(m_outLevelWidget, &LevelCmdWidget::sigInvertGenClicked, this,
            &CommandToolWidget::outLevelInvertCmdGen);
    connect(m_outLevelWidget, &LevelCmdWidget::sigGainGenClicked, this,
            &CommandToolWidget::outLevelGainCmdGen);
    connect(m_outLevelWidget, &LevelCmdWidget::sigGainDeltaGenClicked, this,
            &CommandToolWidget::outLevelGainDeltaCmdGen);
    connect(m_presetWidget, &PresetCmdWidget::sigLoadGenClicked, this,
            &CommandToolWidget::presetLoadCmdGen);
    connect(m_allMuteWidget, &AllMuteCmdWidget::sigMuteGenClicked, this,
            &CommandToolWidget::allMuteCmdGen);
    connect(m_copyButton, &QPushButton::clicked, this, &CommandToolWidget::cmdCopy);
    connect(m_commandEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_copyButton->setEnabled(!text.isEmpty()); });

    retranslateUi();
}

QString CommandToolWidget::commandText() const
{
    return m_commandEdit->text();
}

void CommandToolWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void CommandToolWidget::pwdCmdGen()
{
    const std::optional<QByteArray> frame = CommandBuilder::login(m_loginWidget->password());
    m_loginWidget->setPasswordRefused(!frame);
    if (frame) {
        showCommand(*frame);
    } else {
        // No malformed text, and no earlier command left to be copied by mistake.
        m_commandEdit->clear();
    }
}

void CommandToolWidget::preLevelMuteCmdGen()
{
    showCommand(CommandBuilder::preMixMute(quint8(m_preLevelWidget->channel()),
                                           m_preLevelWidget->isMuted()));
}

void CommandToolWidget::preLevelInvertCmdGen()
{
    showCommand(CommandBuilder::preMixInvert(quint8(m_preLevelWidget->channel()),
                                             m_preLevelWidget->isInverted()));
}

void CommandToolWidget::preLevelGainCmdGen()
{
    showCommand(
        CommandBuilder::preMixGain(quint8(m_preLevelWidget->channel()), m_preLevelWidget->gain()));
}

void CommandToolWidget::preLevelGainDeltaCmdGen()
{
    showCommand(CommandBuilder::preMixGainDelta(quint8(m_preLevelWidget->channel()),
                                                m_preLevelWidget->gainDelta()));
}

void CommandToolWidget::outLevelMuteCmdGen()
{
    showCommand(CommandBuilder::outLevelMute(quint8(m_outLevelWidget->channel()),
                                             m_outLevelWidget->isMuted()));
}

void CommandToolWidget::outLevelInvertCmdGen()
{
    showCommand(CommandBuilder::outLevelInvert(quint8(m_outLevelWidget->channel()),
                                               m_outLevelWidget->isInverted()));
}

void CommandToolWidget::outLevelGainCmdGen()
{
    showCommand(CommandBuilder::outLevelGain(quint8(m_outLevelWidget->channel()),
                                             m_outLevelWidget->gain()));
}

void CommandToolWidget::outLevelGainDeltaCmdGen()
{
    showCommand(CommandBuilder::outLevelGainDelta(quint8(m_outLevelWidget->channel()),
                                                  m_outLevelWidget->gainDelta()));
}

void CommandToolWidget::presetLoadCmdGen()
{
    showCommand(CommandBuilder::presetRecall(quint8(m_presetWidget->presetIndex())));
}

void CommandToolWidget::allMuteCmdGen()
{
    showCommand(CommandBuilder::allMute(m_allMuteWidget->isAllMute()));
}

void CommandToolWidget::cmdCopy()
{
    QGuiApplication::clipboard()->setText(m_commandEdit->text());
}

void CommandToolWidget::showCommand(const QByteArray &frame)
{
    m_commandEdit->setText(Proto::hexText(frame));
    // Show the start of a command too long for the field, not its end.
    m_commandEdit->setCursorPosition(0);
}

void CommandToolWidget::retranslateUi()
{
    setWindowTitle(tr("Hexadecimal Protocol Tool V1.0.1"));
    m_infoLabel->setText(tr("RS232 Baud Rate : 115200 (Default)\nTCP Port : 2698"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_loginWidget), tr("Login"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_preLevelWidget), tr("Level Pre Mix"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_outLevelWidget), tr("Out Level"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_presetWidget), tr("Preset"));
    m_tabWidget->setTabText(m_tabWidget->indexOf(m_allMuteWidget), tr("All Mute"));
    m_commandLabel->setText(tr("Command :"));
    m_copyButton->setText(tr("Copy"));
}
