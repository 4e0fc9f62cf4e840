#pragma once

#include <QAbstractSocket>
#include <QWidget>

#include <array>
#include <optional>

class BgWidget;
class MeterBank;
class MeterWidget;
class QGridLayout;
class QLabel;
class QPushButton;
class QTimer;

// The overview above the pages: the unit's identity, its input and output
// meters, the link state and the global mute. On the poll clock (while a unit
// is connected) it reads the meters every 100 ms and the unit's status every
// 200 ms. New levels are shown together once the read they came in is
// handled, or at the latest 20 ms after the first of them arrived (the
// accessors show them at once).
namespace Model {
class UnitState;
}

class QOverView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(QOverView)

public:
    static constexpr int Channels = 16;
    static constexpr int MeterTop = 24;
    static constexpr int ShowDelayMs = 20; // new levels are shown together this much later

    explicit QOverView(QWidget *parent = nullptr);

    // The unit state the overview's "Mute" is written with (the model
    // encodes it); by default one of its own.
    void setUnitState(Model::UnitState *state);

    int meterFloor() const { return m_floor; }
    MeterWidget *meterWidget() const { return m_meterWidget; }
    QString inputNumberText(int channel) const;
    QString outputNumberText(int channel) const;
    // What the input's bar shows (its level within the meter's range).
    int inputBarValue(int channel) const;
    QPushButton *muteButton() const { return m_mute; }
    QString linkText() const;
    QString armVersionText() const;
    QString dspVersionText() const;
    QString dspUsageText() const;

    // Every meter to -100, the DSP usage emptied, the mute released.
    void clear();
    // Shows the levels and usage received since the last call at once. Called
    // when the bytes of one read from the unit have been handled: a round's
    // answers usually come in one read and are shown in the same turn of the
    // event loop, without waiting for the show timer (which remains for
    // levels that arrive any other way).
    void showPending() const;

public slots:
    void timeout();
    void setLinkState(QAbstractSocket::SocketState state);
    void setInMeter(uchar channel, int value);
    void setInPreMeter(uchar channel, int value);
    void setOutMeter(uchar channel, int value);
    void setOutPreMeter(uchar channel, int value);
    void setAllMute(bool mute);
    void setARMVer(uchar major, uchar minor, uchar patch);
    void setDSPVer(uchar major, uchar minor, uchar patch);
    void setLocation(QString text);
    void setDescription(QString text);
    void setDspUsage(float a, float b);
    void setSN(QString text);
    void CtrlNClicked();
    void muteAccess();
    void muteClicked(bool isChecked);
    void showMeterWidget();

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Bank
    {
        MeterBank *meters = nullptr;
        std::array<int, Channels> levels{}; // received; shown by showPending()
    };

    BgWidget *buildMeterPanel(const QString &objectName, const QString &captionFormat, Bank &bank);
    QWidget *buildInfoPanel();
    void setMeter(Bank &bank, uchar channel, int value);
    void toggleFloor(bool fromPanel);
    void sendMute(bool muted);
    void retranslate();

    int m_floor = -40;
    Bank m_in;
    Bank m_out;
    QLabel *m_captions[6] = {};
    QGridLayout *m_infoGrid = nullptr;
    QLabel *m_sn;
    QLabel *m_dspUsage;
    QLabel *m_armVer;
    QLabel *m_dspVer;
    QLabel *m_location;
    QLabel *m_description;
    QLabel *m_link;
    QLabel *m_appVersion;
    QPushButton *m_mute;
    MeterWidget *m_meterWidget;
    QTimer *m_showTimer; // shows the levels (and usage) that arrived since it started
    mutable std::optional<QString> m_dspUsagePending;
    quint32 m_ticks = 0; // of the poll clock
    Model::UnitState *m_state = nullptr;
};
