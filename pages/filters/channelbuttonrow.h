#pragma once

#include <QWidget>

#include <array>

class QPushButton;

// The row of 16 channel buttons of a filter page ("IN 1".."IN 16" or
// "OUT 1".."OUT 16"); one is checked, the selected channel. A button's
// tooltip is its name and number followed by the channel's label.
class ChannelButtonRow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ChannelButtonRow)

public:
    static constexpr int Channels = 16;

    explicit ChannelButtonRow(const QString &prefix, QWidget *parent = nullptr);

    QPushButton *button(int channel) const { return m_buttons[size_t(channel)]; }
    // The channel of a button of the row, or -1.
    int channelOf(QObject *button) const;
    // Checks `channel`'s button and unchecks the others, without signals.
    void showSelected(int channel);
    void setLabel(int channel, const QString &label);
    // "IN 3 Handheld 2": the button's text and the channel's label.
    QString channelName(int channel) const;
    void setButtonFont(const QFont &font);

private:
    QString m_prefix;
    std::array<QString, Channels> m_labels;
    std::array<QPushButton *, Channels> m_buttons{};
};
