#include "pages/filters/qfeedback.h"

#include "pages/accessibility.h"

#include "model/unitstate.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/elidedlabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QFeedback::QFeedback(QWidget *parent)
    : BlockPage(parent), m_param(Model::Catalogue::instance().paramIndex("input.#.feedback"))
{
    setObjectName(QStringLiteral("feedbackWidget"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 1, 1, 0);
    grid->setSpacing(2);
    for (int c = 0; c < Channels; ++c)
        grid->addWidget(buildColumn(c), c / 8, c % 8);
    // The two rows of columns share the page's height: no empty half page.
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    retranslate();
}

QWidget *QFeedback::buildColumn(int c)
{
    Column &col = m_columns[size_t(c)];
    auto *bg = new QWidget(this);
    bg->setObjectName(QStringLiteral("feedbackCtrlBgWidget"));
    bg->setAttribute(Qt::WA_StyledBackground);
    col.title = new QLabel(QStringLiteral("IN %1").arg(c + 1), bg);
    col.title->setObjectName(QStringLiteral("titleLabel"));
    col.title->setAlignment(Qt::AlignCenter);
    col.name = new ElidedLabel(bg);
    col.name->setFixedHeight(20);
    col.name->setAlignment(Qt::AlignCenter);
    col.name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    col.enable = new QPushButton(bg);
    col.enable->setObjectName(QStringLiteral("normalButton"));
    col.enable->setCheckable(true);
    col.enable->setFixedSize(70, 30);
    connect(col.enable, &QPushButton::clicked, this, &QFeedback::EnableClick);

    auto *v = new QVBoxLayout(bg);
    v->setContentsMargins(2, 6, 2, 8);
    v->setSpacing(4);
    v->addWidget(col.title);
    v->addWidget(col.name);
    v->addStretch(1);
    v->addWidget(col.enable, 0, Qt::AlignHCenter);
    v->addStretch(1);
    return bg;
}

void QFeedback::retranslate()
{
    for (Column &col : m_columns) {
        col.enable->setText(tr("Enable"));
        col.enable->setFont(appFont(10));
        col.name->setFont(appFont(8));
        col.title->setFont(appFont(10, true));
    }
    for (const Column &col : m_columns)
        nameControls(channelLabel(col.title, col.name), {{col.enable, tr("feedback suppression")}});
}

Model::ParamId QFeedback::enableId(int c) const
{
    return Model::ParamId{m_param, c, 0};
}

bool QFeedback::channelEnabled(int channel) const
{
    return state().isOn(enableId(channel));
}

void QFeedback::refresh()
{
    sendFrame(state().readFrame(Model::UnitState::catalogue().recordOf(enableId(0))));
}

void QFeedback::EnableClick(bool isChecked)
{
    for (int c = 0; c < Channels; ++c) {
        if (m_columns[size_t(c)].enable != sender())
            continue;
        state().setNumber(enableId(c), isChecked ? 1 : 0);
        sendWrite(state().writeFrameOf(enableId(c)));
        return;
    }
}

void QFeedback::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    Q_UNUSED(length)
    if (!state().apply(Proto::OpBlock, Module, cmd, flag, payload))
        return;
    for (int c = 0; c < Channels; ++c)
        setCheckedSilently(m_columns[size_t(c)].enable, channelEnabled(c));
}

void QFeedback::setInputName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Column &col = m_columns[size_t(channel)];
    showChannelName(col.title, col.name, name);
    nameControls(channelLabel(col.title, col.name), {{col.enable, tr("feedback suppression")}});
}
