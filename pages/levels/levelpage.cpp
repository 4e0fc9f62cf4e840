#include "pages/levels/levelpage.h"

#include "protocol/answerreader.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
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
    deferred().setSender([this](int c) { sendGain(c); });
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
        for (QWidget *w : std::initializer_list<QWidget *>{
                 s.name, s.gainCaption, s.gainEdit, s.mute, s.invert, s.groupCaption, s.group})
            w->setFont(font);
        if (s.priority)
            s.priority->setFont(font);
        s.title->setFont(title);
        s.gainCaption->setFont(caption);
        s.groupCaption->setFont(caption);
    }
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

QVector<int> LevelPage::linked(int c) const
{
    const quint8 group = m_channels[size_t(c)].group;
    QVector<int> members{c};
    if (group == 0)
        return members;
    for (int other = 0; other < Channels; ++other)
        if (other != c && m_channels[size_t(other)].group == group)
            members.append(other);
    return members;
}

void LevelPage::setGain(int c, float value)
{
    Channel &ch = m_channels[size_t(c)];
    ch.gain = GainRules::clampLevel(value, ch.lowerLimit, ch.upperLimit);
    m_strips[size_t(c)].fader->setValue(ch.gain);
    FieldSync::showText(m_strips[size_t(c)].gainEdit, gainText(ch.gain));
}

void LevelPage::applyOperatorGain(int c, float value)
{
    for (int member : linked(c))
        setGain(member, value);
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
    if (value != m_channels[size_t(c)].gain)
        applyOperatorGain(c, value);
    else
        FieldSync::showText(edit, gainText(value));
    const QSignalBlocker blocker(edit);
    edit->clearFocus();
}

void LevelPage::sendGain(int c)
{
    const float gain = m_channels[size_t(c)].gain;
    sendCommand(m_config.module, m_config.gainCmd, quint8(c),
                Le::bytes(GainRules::levelOnWire(gain)));
}

void LevelPage::muteClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    for (int member : linked(c)) {
        m_channels[size_t(member)].mute = isChecked;
        setCheckedSilently(m_strips[size_t(member)].mute, isChecked);
    }
    sendCommand(m_config.module, m_config.muteCmd, quint8(c), QByteArray(1, char(isChecked)));
}

void LevelPage::invertClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0)
        return;
    for (int member : linked(c)) {
        m_channels[size_t(member)].invert = isChecked;
        setCheckedSilently(m_strips[size_t(member)].invert, isChecked);
    }
    sendCommand(m_config.module, m_config.invertCmd, quint8(c), QByteArray(1, char(isChecked)));
}

void LevelPage::priorityClicked(bool isChecked)
{
    const int c = channelOf(sender());
    if (c < 0 || !m_config.priorityCmd)
        return;
    m_channels[size_t(c)].priority = isChecked;
    sendCommand(m_config.module, m_config.priorityCmd, quint8(c), QByteArray(1, char(isChecked)));
}

void LevelPage::groupChanged(int index)
{
    const int c = channelOf(sender());
    if (c < 0 || index < 0)
        return;
    m_channels[size_t(c)].group = quint8(index);
    sendCommand(m_config.module, m_config.groupCmd, quint8(c), QByteArray(1, char(index)));
}

void LevelPage::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd == 0)
        return;
    AnswerReader answer(flag, length, payload);
    if (cmd == m_config.meterCmd || (m_config.preMeterCmd && cmd == m_config.preMeterCmd)) {
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
    if (cmd == m_config.limitsCmd) {
        if (answer.exact(Channels * 8))
            receiveLimits(answer);
        return;
    }

    const bool known = cmd == m_config.muteCmd || cmd == m_config.gainCmd ||
                       cmd == m_config.invertCmd || cmd == m_config.groupCmd ||
                       (m_config.priorityCmd && cmd == m_config.priorityCmd);
    if (!known)
        return;
    const int width = cmd == m_config.gainCmd ? 4 : 1;
    if (m_config.exactLengths ? !answer.exact(Channels * width) : !answer.atLeast(0))
        return;
    const int count = qMin(answer.size() / width, int(Channels));
    for (int c = 0; c < count; ++c) {
        Channel &ch = m_channels[size_t(c)];
        Strip &s = m_strips[size_t(c)];
        if (cmd == m_config.gainCmd) {
            if (const std::optional<float> gain = answer.real(c * 4, GainMin, GainMax))
                setGain(c, *gain);
            continue;
        }
        const quint8 byte = answer.u8(c);
        if (cmd == m_config.muteCmd) {
            ch.mute = byte ? 1 : 0;
            setCheckedSilently(s.mute, ch.mute);
        } else if (cmd == m_config.invertCmd) {
            ch.invert = byte ? 1 : 0;
            setCheckedSilently(s.invert, ch.invert);
        } else if (cmd == m_config.priorityCmd) {
            ch.priority = byte ? 1 : 0;
            setCheckedSilently(s.priority, ch.priority);
        } else if (cmd == m_config.groupCmd && byte < GroupCount) {
            ch.group = byte;
            const QSignalBlocker blocker(s.group);
            s.group->setCurrentIndex(byte);
        }
    }
}

void LevelPage::receiveLimits(const AnswerReader &answer)
{
    for (int c = 0; c < Channels; ++c) {
        const auto limit = [&](int offset) {
            return answer.truncated(c * 8 + offset, GainRules::LimitMin, GainRules::LimitMax)
                .value_or(GainRules::LimitMin);
        };
        const int upper = limit(0);
        const int lower = limit(4);
        Channel &ch = m_channels[size_t(c)];
        if (upper == ch.upperLimit && lower == ch.lowerLimit)
            continue;
        ch.upperLimit = upper;
        ch.lowerLimit = lower;
        emit gainLimit(uchar(c), upper, lower);
    }
}

void LevelPage::setChannelName(int channel, const QString &name)
{
    if (channel < 0 || channel >= Channels)
        return;
    const Strip &s = m_strips[size_t(channel)];
    showChannelName(s.title, s.name, name);
}
