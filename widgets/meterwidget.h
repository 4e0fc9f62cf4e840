#pragma once

#include <QDialog>

#include <array>

class QGridLayout;
class MeterNumber;
class QLabel;
class QMeter;

// The meter panel window: 16 meters with their numbers in each of four rows
// (input pre fader, input post fader, output pre fader, output post fader).
// The meters show -40 .. 24 dB, or -100 .. 24 dB after Ctrl+N. The window's
// geometry is kept in the user's settings under "MeterGeometry". The meters
// are made when first needed and follow the levels only while the panel is
// shown; it catches up when shown again.
class MeterWidget final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(MeterWidget)

public:
    enum Row
    {
        InputPreFader = 0,
        InputPostFader,
        OutputPreFader,
        OutputPostFader
    };
    static constexpr int kRows = 4;
    static constexpr int kChannels = 16;
    static constexpr int kTop = 24;        // highest level shown, dB
    static constexpr int kHighFloor = -40; // the two choices for the lowest level shown
    static constexpr int kLowFloor = -100;

    explicit MeterWidget(QWidget *parent = nullptr);
    ~MeterWidget() override;

    // Store the level of a channel (0..15; other channels are ignored) and show
    // it clamped to the meters' range.
    void setInPreFader(int channel, int level);
    void setInPostFader(int channel, int level);
    void setOutPreFader(int channel, int level);
    void setOutPostFader(int channel, int level);

    // Switches the floor between -40 and -100 without emitting ctrlN(): for an
    // owner whose own Ctrl+N already made the switch.
    void toggleFloor();
    // Sets the floor (the lowest level shown) and shows the stored levels again.
    void setFloor(int floor);
    int floor() const { return m_floor; }

    // The level last stored for a channel (unclamped), the meter and its number
    // (which are made, and brought up to date, when looked at).
    int level(Row row, int channel) const;
    const QMeter *meter(Row row, int channel);
    QString numberText(Row row, int channel);

public slots:
    // Ctrl+N of the panel: toggles the floor and emits ctrlN().
    void CtrlNClicked();

signals:
    void ctrlN();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Channel
    {
        QMeter *meter = nullptr;
        MeterNumber *number = nullptr;
        int level = kHighFloor;
    };

    void buildMeters();
    void showLevels();
    void setLevel(Row row, int channel, int level);
    void showLevel(Channel &channel) const;
    void retranslate();
    void updateAccessibleNames();
    void applyFonts();

    std::array<QLabel *, kRows> m_titles{};
    std::array<QGridLayout *, kRows> m_grids{};
    std::array<std::array<Channel, kChannels>, kRows> m_channels{};
    QList<QLabel *> m_channelCaptions;
    int m_floor = kHighFloor;
    bool m_built = false;
    bool m_stale = false; // levels or floor changed since the meters last showed them
};
