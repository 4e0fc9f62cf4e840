#include "pages/levels/levelpage.h"

#include "pages/accessibility.h"

#include "model/unitstate.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/elidedlabel.h"
#include "widgets/fieldsync.h"
#include "widgets/lazycombobox.h"
#include "widgets/qfader.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char GainPattern[] = "^-(70|[1-6]?\\d(\\.\\d{1})?)|^(12|(1[0-1]?|\\d)(\\.\\d{1})?)$";
constexpr int GroupCount = 9; // "-" and groups 1..8

QString gainText(float value)
{
    return QString::asprintf("%0.1f", double(value));
}
} // namespace

LevelPage::LevelPage(const LevelPageConfig &config, QWidget *parent)
    : BlockPage(parent), m_config(config)
{
    setObjectName(QString::fromLatin1(config.objectName));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 1, 0);
    row->setSpacing(2);
    for (int c = 0; c < Channels; ++c)
        row->addWidget(buildStrip(c), 1); // equal strips, whatever their names
    const QByteArray block = config.module == Proto::Module::OutputLevel ? "output" : "premix";
    const char *const fields[FieldCount] = {".#.mute",     ".#.gain", ".#.invert", ".#.group",
                                            ".#.priority", ".#.max",  ".#.min"};
    for (int f = 0; f < FieldCount; ++f)
        m_params[size_t(f)] =
            state().catalogue().paramIndex(QByteArray(block + fields[f]).constData());
    deferred().setSender([this](int c) { send(Gain, c); });
    retranslate();
}

QWidget *LevelPage::buildStrip(int c)
{
    Strip &s = m_strips[size_t(c)];
    auto *bg = new QWidget(this);
    bg->setObjectName(QString::fromLatin1(m_config.stripName));
    bg->setAttribute(Qt::WA_StyledBackground);
    bg->setMinimumWidth(48);

    s.title = new QLabel(QString::fromLatin1(m_config.titlePrefix) + QString::number(c + 1), bg);
    s.title->setObjectName(QStringLiteral("titleLabel"));
    s.title->setAlignment(Qt::AlignCenter);
    s.name = new ElidedLabel(bg);
    s.name->setFixedHeight(20);
    s.name->setAlignment(Qt::AlignCenter);
    s.name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    s.gainCaption = new QLabel(bg);
    s.gainCaption->setAlignment(Qt::AlignCenter);
    s.gainEdit = new QLineEdit(bg);
    FieldSync::showText(s.gainEdit, gainText(0.0f));
    s.gainEdit->setAlignment(Qt::AlignCenter);
    s.gainEdit->setMaximumWidth(44);
    s.gainEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(GainPattern)), s.gainEdit));
    connect(s.gainEdit, &QLineEdit::editingFinished, this, &LevelPage::gainEditingFinished);

    s.fader = new QFader(bg);
    s.fader->setDecimals(1);
    s.fader->setRange(GainMin, GainMax);
    s.fader->setStep(0.1f);
    s.fader->setValue(0.0f);
    s.fader->setMinimumHeight(150);
    s.fader->setFixedWidth(48);
    connect(s.fader, &QFader::valueChanged, this, &LevelPage::gainSliderChanged);

    const auto button = [bg](const char *objectName) {
        auto *b = new QPushButton(bg);
        if (objectName)
            b->setObjectName(QString::fromLatin1(objectName));
        b->setCheckable(true);
        b->setFixedSize(44, 20);
        return b;
    };
    s.mute = button("muteButton");
    connect(s.mute, &QPushButton::clicked, this, &LevelPage::muteClicked);
    s.invert = button("normalButton");
    connect(s.invert, &QPushButton::clicked, this, &LevelPage::invertClicked);
    if (m_config.priorityCmd) {
        s.priority = button("normalButton");
        connect(s.priority, &QPushButton::clicked, this, &LevelPage::priorityClicked);
    }
    s.groupCaption = new QLabel(bg);
    s.groupCaption->setAlignment(Qt::AlignCenter);
    s.group = new LazyComboBox(appFont(8), bg);
    s.group->setFixedSize(44, 20);
    s.group->addItem(QStringLiteral("-"));
    for (int g = 1; g < GroupCount; ++g)
        s.group->addItem(QString::number(g));
    connect(s.group, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &LevelPage::groupChanged);

    auto *v = new QVBoxLayout(bg);
    v->setContentsMargins(2, 3, 2, 3);
    v->setSpacing(3);
    v->addWidget(s.title);
    v->addWidget(s.name);
    v->addWidget(s.gainCaption);
    v->addWidget(s.gainEdit, 0, Qt::AlignHCenter);
    v->addWidget(s.fader, 1, Qt::AlignHCenter);
    v->addWidget(s.mute, 0, Qt::AlignHCenter);
    v->addWidget(s.invert, 0, Qt::AlignHCenter);
    if (s.priority)
        v->addWidget(s.priority, 0, Qt::AlignHCenter);
    v->addWidget(s.groupCaption);
    v->addWidget(s.group, 0, Qt::AlignHCenter);
    return bg;
}

void LevelPage::retranslate()
{
    const QFont font = appFont(8);
    const QFont title = appFont(8, true);
    QFont caption = font;
    caption.setPointSizeF(7.5);
    for (Strip &s : m_strips) {
        s.gainCaption->setText(tr("Gain(dB)"));
        s.mute->setText(tr("Mute"));
        s.invert->setText(tr("Invert"));
        if (s.priority)
            s.priority->setText(tr("Priority"));
        s.groupCaption->setText(tr("Group"));
        s.invert->setToolTip(tr("Invert the polarity of the signal"));
        if (s.priority)
            s.priority->setToolTip(tr("Priority: this input is given precedence in the mix"));
        const QString group = tr("Link group: channels in the same group change mute, invert "
                                 "and gain together; \"-\" for none");
        s.groupCaption->setToolTip(group);
        s.group->setToolTip(group);
        for (QWidget *w : std::initializer_list<QWidget *>{
                 s.name, s.gainCaption, s.gainEdit, s.mute, s.invert, s.groupCaption, s.group})
            w->setFont(font);
        if (s.priority)
            s.priority->setFont(font);
        s.title->setFont(title);
        s.gainCaption->setFont(caption);
        s.groupCaption->setFont(caption);
    }
    for (int c = 0; c < Channels; ++c)
        updateAccessibleNames(c);
}

void LevelPage::updateAccessibleNames(int c)
{
    const Strip &s = m_strips[size_t(c)];
    nameControls(channelLabel(s.title, s.name), {{s.gainEdit, tr("gain")},
                                                 {s.fader, tr("gain")},
                                                 {s.mute, s.mute->text()},
                                                 {s.invert, s.invert->text()},
                                                 {s.priority, tr("Priority")},
                                                 {s.group, s.groupCaption->text()}});
}

void LevelPage::refresh()
{
    for (quint8 cmd : m_config.refreshOrder)
        sendPacket(Proto::OpBlock, m_config.module, cmd, Proto::FlagRead);
}

int LevelPage::channelOf(QObject *control) const
{
    for (int c = 0; c < Channels; ++c) {
        const Strip &s = m_strips[size_t(c)];
        if (control == s.fader || control == s.gainEdit || control == s.mute ||
            control == s.invert || control == s.priority || control == s.group)
            return c;
    }
    return -1;
}

Model::ParamId LevelPage::param(Field field, int c) const
{
    return Model::ParamId{m_params[size_t(field)], c, 0};
}

LevelPage::Channel LevelPage::channel(int c) const
{
    const Model::UnitState &s = state();
    Channel ch;
    ch.gain = float(s.number(param(Gain, c)));
    ch.mute = s.isOn(param(Mute, c)) ? 1 : 0;
    ch.invert = s.isOn(param(Invert, c)) ? 1 : 0;
    ch.group = quint8(s.number(param(Group, c)));
    ch.priority = m_params[Priority] >= 0 && s.isOn(param(Priority, c)) ? 1 : 0;
    ch.upperLimit = int(s.number(param(Max, c)));
    ch.lowerLimit = int(s.number(param(Min, c)));
    return ch;
}

QVector<int> LevelPage::linked(int c) const
{
    const double group = state().number(param(Group, c));
    QVector<int> members{c};
    if (group == 0)
        return members;
    for (int other = 0; other < Channels; ++other)
        if (other != c && state().number(param(Group, other)) == group)
            members.append(other);
    return members;
}

// Shows one channel as the state holds it; nothing is sent or emitted.
void LevelPage::showStrip(int c)
{
    const Channel ch = channel(c);
    Strip &s = m_strips[size_t(c)];
    s.fader->setValue(ch.gain);
    FieldSync::showText(s.gainEdit, gainText(ch.gain));
    setCheckedSilently(s.mute, ch.mute);
    setCheckedSilently(s.invert, ch.invert);
    setCheckedSilently(s.priority, ch.priority);
    const QSignalBlocker blocker(s.group);
    s.group->setCurrentIndex(ch.group);
}

void LevelPage::send(Field field, int c)
{
    sendWrite(state().writeFrameOf(param(field, c)));
}

// The state keeps each member within its own limits.
void LevelPage::applyOperatorGain(int c, float value)
{
    for (int member : linked(c)) {
        state().setNumber(param(Gain, member), double(value));
        showStrip(member);
    }
    deferred().edit(c);
}

void LevelPage::gainSliderChanged(float fval)
{
    const int c = channelOf(sender());
    if (c >= 0)
        applyOperatorGain(c, fval);
}

void LevelPage::gainEditingFinished()
{
    auto *edit = qobject_cast<QLineEdit *>(sender());
    const int c = channelOf(edit);
    if (c < 0)
        return;
    FieldSync::endEdit(edit);
    bool ok = false;
    float value = edit->text().trimmed().toFloat(&ok);
    value = qBound(GainMin, ok ? value : 0.0f, GainMax);
    if (value != float(state().number(param(Gain, c))))
        applyOperatorGain(c, value);
    else
        FieldSync::showText(edit, gainText(value));
    const QSignalBlocker blocker(edit);
    edit->clearFocus();
}

void LevelPage::switchClicked(Field field, QPushButton *LevelPage::Strip::*button, bool on)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    for (int member : linked(c)) {
        state().setNumber(param(field, member), on ? 1 : 0);
        setCheckedSilently(m_strips[size_t(member)].*button, on);
    }
    send(field, c);
}

void LevelPage::muteClicked(bool isChecked)
{
    switchClicked(Mute, &Strip::mute, isChecked);
}

void LevelPage::invertClicked(bool isChecked)
{
    switchClicked(Invert, &Strip::invert, isChecked);
}

// Priority is the channel's own: not linked.
void LevelPage::priorityClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0 || !m_config.priorityCmd)
        return;
    state().setNumber(param(Priority, c), isChecked ? 1 : 0);
    send(Priority, c);
}

void LevelPage::groupChanged(int index)
{
    const int c = channelOf(sender());
    if (c < 0 || index < 0)
        return;
    state().setNumber(param(Group, c), index);
    send(Group, c);
}

void LevelPage::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd == 0)
        return;
    if (cmd == m_config.meterCmd || (m_config.preMeterCmd && cmd == m_config.preMeterCmd)) {
        AnswerReader answer(flag, length, payload);
        if (!answer.exact(Channels))
            return;
        const bool pre = cmd == m_config.preMeterCmd;
        for (int c = 0; c < Channels; ++c) {
            const int level = answer.i8(c);
            if (pre)
                emit preMeterChanged(uchar(c), level);
            else
                emit meterChanged(uchar(c), level);
        }
        return;
    }
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads
    const bool known = cmd == m_config.muteCmd || cmd == m_config.gainCmd ||
                       cmd == m_config.invertCmd || cmd == m_config.groupCmd ||
                       cmd == m_config.limitsCmd ||
                       (m_config.priorityCmd && cmd == m_config.priorityCmd);
    if (!known || length != payload.size())
        return;
    std::array<Channel, Channels> before;
    for (int c = 0; c < Channels; ++c)
        before[size_t(c)] = channel(c);
    if (!state().apply(Proto::OpBlock, m_config.module, cmd, flag, payload))
        return;
    for (int c = 0; c < Channels; ++c) {
        if (cmd != m_config.limitsCmd) {
            showStrip(c);
            continue;
        }
        // Limits are not shown here: they go to the settings page.
        const Channel now = channel(c);
        const Channel &was = before[size_t(c)];
        if (now.upperLimit != was.upperLimit || now.lowerLimit != was.lowerLimit)
            emit gainLimit(uchar(c), now.upperLimit, now.lowerLimit);
    }
}

void LevelPage::setChannelName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Strip &s = m_strips[size_t(channel)];
    showChannelName(s.title, s.name, name);
    updateAccessibleNames(channel);
}
