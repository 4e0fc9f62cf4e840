#include "pages/blockpage.h"

#include "model/unitstate.h"
#include "protocol/transport.h"
#include "widgets/childsignals.h"
#include "widgets/elidedlabel.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {
const char StateProperty[] = "dapUnitState";
} // namespace

void BlockPage::provideState(QWidget *container, Model::UnitState *state)
{
    container->setProperty(StateProperty, QVariant::fromValue(static_cast<QObject *>(state)));
}

Model::UnitState *BlockPage::providedState(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (auto *state =
                qobject_cast<Model::UnitState *>(w->property(StateProperty).value<QObject *>()))
            return state;
    return nullptr;
}

BlockPage::BlockPage(QWidget *parent)
    : QWidget(parent), m_timer(new QTimer(this)), m_state(providedState(parent))
{
    if (!m_state)
        m_state = new Model::UnitState(this);
    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &BlockPage::timeout);
    m_deferred.setWake([this] { wakeTicks(); });
}

BlockPage::~BlockPage()
{
    // The page's own parts are gone by the time QWidget's destructor hides it.
    disconnectChildren(this);
}

void BlockPage::setInputName(int, const QString &) {}

void BlockPage::setOutputName(int, const QString &) {}

bool BlockPage::isTicking() const
{
    return m_timer->isActive();
}

// A tick is due 10 ms after the timer starts: an edit made while the timer
// sleeps goes out on the 10th tick, 100 ms after the edit, as it would with a
// timer that never stops.
void BlockPage::wakeTicks()
{
    if (m_live && !m_timer->isActive())
        m_timer->start();
}

void BlockPage::setCheckedSilently(QPushButton *button, bool checked)
{
    if (button && button->isChecked() != checked) {
        const QSignalBlocker blocker(button);
        button->setChecked(checked);
    }
}

void BlockPage::showChannelName(QLabel *title, ElidedLabel *name, const QString &text)
{
    name->setText(text);
    title->setToolTip(text);
    if (QWidget *strip = title->parentWidget())
        strip->setToolTip(text);
}

void BlockPage::timeout()
{
    m_deferred.tick();
    onTick();
    if (!m_deferred.isBusy() && !needsTicks())
        m_timer->stop();
}

void BlockPage::showEvent(QShowEvent *event)
{
    m_live = true;
    if (m_deferred.isBusy() || needsTicks())
        m_timer->start();
    QWidget::showEvent(event);
}

void BlockPage::hideEvent(QHideEvent *event)
{
    // What the operator changed goes out now, for the target it was made for,
    // and the page takes answers again: a hidden page must neither freeze its
    // hold nor keep an edit that would go to whichever unit is current when it
    // is shown next.
    m_deferred.settle();
    m_live = false;
    m_timer->stop();
    QWidget::hideEvent(event);
}

void BlockPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void BlockPage::sendWrite(const Proto::Frame &frame, const QString &label)
{
    sendFrame(frame);
    state().commit(label);
}

void BlockPage::sendWrites(const QVector<Proto::Frame> &frames, const QString &label)
{
    for (const Proto::Frame &f : frames)
        sendFrame(f);
    state().commit(label);
}

void BlockPage::sendOperation(const QString &label, const Proto::Frame &operation,
                              const QVector<Model::ParamId> &affected)
{
    state().commit();
    // The unit answers in order: these answers show what the operation
    // replaces.
    for (const Model::RecordId &rec : state().unknownRecords(affected))
        sendFrame(state().readFrame(rec));
    state().announceOperation(label, {operation}, affected);
    sendFrame(operation);
}

Proto::Frame BlockPage::commandFrame(quint8 module, quint8 cmd, quint8 channel,
                                     const QByteArray &data)
{
    Proto::Frame f;
    f.op = Proto::OpBlock;
    f.module = module;
    f.cmd = cmd;
    f.flag = Proto::FlagWrite;
    f.payload = QByteArray(1, char(channel)) + data;
    f.length = quint16(f.payload.size());
    return f;
}
