#include "pages/filters/channelbuttonrow.h"

#include "pages/accessibility.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

ChannelButtonRow::ChannelButtonRow(const QString &prefix, QWidget *parent)
    : QWidget(parent), m_prefix(prefix)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int c = 0; c < Channels; ++c) {
        auto *button = new QPushButton(prefix + QString::number(c + 1), this);
        button->setObjectName(QStringLiteral("normalButton"));
        button->setCheckable(true);
        button->setChecked(c == 0);
        button->setFixedSize(50, 25);
        layout->addWidget(button);
        m_buttons[size_t(c)] = button;
        setLabel(c, QString());
    }
    layout->addStretch(1);
}

int ChannelButtonRow::channelOf(QObject *button) const
{
    for (int c = 0; c < Channels; ++c)
        if (m_buttons[size_t(c)] == button)
            return c;
    return -1;
}

void ChannelButtonRow::showSelected(int channel)
{
    for (int c = 0; c < Channels; ++c) {
        QPushButton *b = m_buttons[size_t(c)];
        const QSignalBlocker blocker(b);
        b->setChecked(c == channel);
    }
}

void ChannelButtonRow::setLabel(int channel, const QString &label)
{
    if (channel < 0 || channel >= Channels)
        return;
    m_buttons[size_t(channel)]->setToolTip(m_prefix + QStringLiteral("%1 : ").arg(channel + 1) +
                                           label);
    m_labels[size_t(channel)] = label;
    m_buttons[size_t(channel)]->setAccessibleName(channelName(channel));
}

QString ChannelButtonRow::channelName(int channel) const
{
    if (channel < 0 || channel >= Channels)
        return {};
    return channelLabel(m_buttons[size_t(channel)]->text(), m_labels[size_t(channel)]);
}

void ChannelButtonRow::setButtonFont(const QFont &font)
{
    for (QPushButton *b : m_buttons)
        b->setFont(font);
}
