#include "pages/dynamics/ancwidget.h"

#include "model/unitstate.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Proto::AncCmd;

namespace {
const char *const LevelNames[ANCWidget::Levels] = {
    QT_TRANSLATE_NOOP("ANCWidget", "Disabled"), QT_TRANSLATE_NOOP("ANCWidget", "Weak"),
    QT_TRANSLATE_NOOP("ANCWidget", "Strong"), QT_TRANSLATE_NOOP("ANCWidget", "Strongest")};

void setSilently(QComboBox *box, int index)
{
    if (box->currentIndex() == index)
        return;
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
}
} // namespace

ANCWidget::ANCWidget(QWidget *parent)
    : BlockPage(parent), m_title(new QLabel(this)), m_channelCaption(new QLabel(this)),
      m_levelCaption(new QLabel(this)), m_channel(new QComboBox(this)),
      m_level(new QComboBox(this)),
      m_channelParam(Model::UnitState::catalogue().paramIndex("anc.channel")),
      m_levelParam(Model::UnitState::catalogue().paramIndex("anc.level"))
{
    setObjectName(QStringLiteral("feedbackWidget"));
    for (int i = 0; i < Outputs; ++i)
        m_channel->addItem(QString());
    for (int i = 0; i < Levels; ++i)
        m_level->addItem(QString());
    for (QComboBox *box : {m_channel, m_level})
        box->setFixedSize(120, 24);
    showState();
    connect(m_channel, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ANCWidget::inChannelComboBoxChanged);
    connect(m_level, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ANCWidget::noiseReductionLevelComboBoxChanged);
    connect(&state(), &Model::UnitState::changed, this, [this](const Model::ParamId &id) {
        if (id.param == m_channelParam || id.param == m_levelParam)
            showState();
    });

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("feedbackCtrlBgWidget"));
    panel->setAttribute(Qt::WA_StyledBackground);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    // The layout takes the captions and boxes into the panel.
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(20, 12, 20, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(m_title, 0, 0, 1, 2);
    grid->addWidget(m_channelCaption, 1, 0, Qt::AlignRight);
    grid->addWidget(m_channel, 1, 1);
    grid->addWidget(m_levelCaption, 2, 0, Qt::AlignRight);
    grid->addWidget(m_level, 2, 1);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(12, 12, 12, 12);
    v->addWidget(panel, 0, Qt::AlignHCenter);
    v->addStretch(1);
    retranslate();
}

void ANCWidget::retranslate()
{
    m_title->setText(tr("Noise Reduction"));
    m_title->setFont(appFont(10, true));
    m_channelCaption->setText(tr("Channel Enabled :"));
    m_levelCaption->setText(tr("Noise Reduction Level :"));
    for (int i = 0; i < Outputs; ++i)
        m_channel->setItemText(i, tr("OUT") + QStringLiteral(" %1").arg(i + 1));
    for (int i = 0; i < Levels; ++i)
        m_level->setItemText(i, tr(LevelNames[i]));
    const QFont font = appFont(9);
    for (QWidget *w :
         {static_cast<QWidget *>(m_channelCaption), static_cast<QWidget *>(m_levelCaption),
          static_cast<QWidget *>(m_channel), static_cast<QWidget *>(m_level)})
        w->setFont(font);
    // The captions without their colons.
    m_channel->setAccessibleName(tr("Noise reduction channel"));
    m_level->setAccessibleName(tr("Noise reduction level"));
}

void ANCWidget::refresh()
{
    sendPacket(Proto::OpBlock, Module, State, Proto::FlagRead);
}

void ANCWidget::showState()
{
    setSilently(m_channel, int(state().number(Model::ParamId{m_channelParam, 0, 0})));
    setSilently(m_level, int(state().number(Model::ParamId{m_levelParam, 0, 0})));
}

void ANCWidget::send(int channel, int level)
{
    const Model::ParamId id{m_channelParam, 0, 0};
    state().setNumber(id, channel);
    state().setNumber(Model::ParamId{m_levelParam, 0, 0}, level);
    sendWrite(state().writeFrameOf(id));
}

void ANCWidget::inChannelComboBoxChanged(int index)
{
    if (index < 0)
        return;
    // Another output starts without noise reduction.
    send(index, 0);
}

void ANCWidget::noiseReductionLevelComboBoxChanged(int index)
{
    if (index >= 0)
        send(int(state().number(Model::ParamId{m_channelParam, 0, 0})), index);
}

void ANCWidget::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    // A byte out of range leaves its box as it is, so the next send cannot
    // carry it.
    if (cmd == State && length == payload.size())
        state().apply(Proto::OpBlock, Module, cmd, flag, payload);
}
