#include "pages/dynamics/qaec.h"

#include "model/unitstate.h"
#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/widgetresources.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Proto::AecCmd;

namespace {
// The picture's own proportions (its view box).
constexpr int PictureWidth = 560, PictureHeight = 260;

// Around the picture: far end above, the local room below; inputs left,
// outputs right.
const char *const Captions[] = {
    QT_TRANSLATE_NOOP("QAec", "From\nVideo conference\nterminal audio"),
    QT_TRANSLATE_NOOP("QAec", "To\nVideo conference\nterminal audio"),
    QT_TRANSLATE_NOOP("QAec", "IN CH3-16\nLocal conference\naudio source"),
    QT_TRANSLATE_NOOP("QAec", "OUT CH3-16\nLocal conference\nAmplifier"),
};
} // namespace

QAec::QAec(QWidget *parent)
    : BlockPage(parent), m_enableParam(Model::UnitState::catalogue().paramIndex("aec.enable")),
      m_enableButton(new QPushButton(this)), m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("aecWidget"));
    m_enableButton->setObjectName(QStringLiteral("normalButton"));
    m_enableButton->setCheckable(true);
    m_enableButton->setFixedSize(80, 26);
    m_enableButton->setChecked(isEnabledOnUnit());
    connect(m_enableButton, &QPushButton::clicked, this, &QAec::enableClicked);
    connect(&state(), &Model::UnitState::changed, this, [this](const Model::ParamId &id) {
        if (id.param == m_enableParam)
            setCheckedSilently(m_enableButton, isEnabledOnUnit());
    });

    m_picture->setObjectName(QStringLiteral("picWidget"));
    m_picture->setStyleSheet(QStringLiteral("QLabel#picWidget{background-color:transparent;}"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumSize(PictureWidth / 2, PictureHeight / 2);
    m_picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_picture->installEventFilter(this);

    auto *grid = new QGridLayout;
    grid->setSpacing(8);
    for (size_t i = 0; i < m_captions.size(); ++i) {
        m_captions[i] = new QLabel(this);
        const bool left = i % 2 == 0;
        m_captions[i]->setAlignment((left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        grid->addWidget(m_captions[i], int(i / 2), left ? 0 : 2);
    }
    grid->addWidget(m_picture, 0, 1, 2, 1);
    grid->setColumnStretch(1, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(m_enableButton);
    top->addStretch(1);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(12, 10, 12, 10);
    v->setSpacing(8);
    v->addLayout(top);
    v->addLayout(grid, 1);
    retranslate();
}

void QAec::retranslate()
{
    m_enableButton->setText(tr("Enable"));
    m_enableButton->setFont(appFont(9));
    m_enableButton->setAccessibleName(tr("Enable echo cancellation"));
    for (size_t i = 0; i < m_captions.size(); ++i) {
        m_captions[i]->setText(tr(Captions[i]));
        m_captions[i]->setFont(appFont(10));
    }
}

bool QAec::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::Resize)
        showPicture();
    return BlockPage::eventFilter(watched, event);
}

void QAec::showPicture()
{
    // Drawn at the largest size that keeps its proportions. Without the
    // picture the label stays empty and the page works as before.
    const QSize room = m_picture->size();
    QSize size(PictureWidth, PictureHeight);
    size.scale(room.boundedTo(QSize(PictureWidth * 2, PictureHeight * 2)), Qt::KeepAspectRatio);
    m_picture->setPixmap(
        svgPixmap(QString::fromLatin1(PictureResource), size, m_picture->devicePixelRatioF()));
}

void QAec::refresh()
{
    sendPacket(Proto::OpBlock, Module, Enable, Proto::FlagRead);
}

bool QAec::isEnabledOnUnit() const
{
    return state().isOn(Model::ParamId{m_enableParam, 0, 0});
}

void QAec::enableClicked(bool enable)
{
    const Model::ParamId id{m_enableParam, 0, 0};
    state().setNumber(id, enable ? 1 : 0);
    setCheckedSilently(m_enableButton, enable);
    sendWrite(state().writeFrameOf(id));
}

void QAec::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd != Enable)
        return;
    if (AnswerReader(flag, length, payload).isRefused()) {
        // The unit has no echo canceller; what was shown stays.
        m_enableButton->setEnabled(false);
        return;
    }
    if (length == payload.size() && state().apply(Proto::OpBlock, Module, cmd, flag, payload))
        m_enableButton->setEnabled(true);
}
