#pragma once

#include "pages/blockpage.h"
#include "pages/dynamics/gateparams.h"
#include "protocol/commands.h"

#include <array>

class GateLamp;
class KnobField;
class QLabel;
class QPushButton;

// The input noise gates: all 16 inputs side by side, each with its switch,
// threshold, attack and decay, and a lamp that shows whether the gate is
// open, polled every 100 ms while the page is shown.
//
// The threshold is shared with the automixer page: every change of a
// channel's threshold, whatever its source, is announced with threshValue(),
// and a threshold the automixer sets arrives at threshChanged(uchar, int).
class QGate final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QGate)

public:
    static constexpr quint8 Module = Proto::Module::Gate;
    static constexpr int Channels = 16;
    static constexpr int PollTicks = 10;

    // The deferred parameters of a channel; the send key of channel c and
    // parameter p is c * ParamCount + p.
    enum Param
    {
        Threshold,
        Attack,
        Decay,
        ParamCount
    };

    explicit QGate(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;
    void setInputName(int channel, const QString &name) override;

    const GateParams &params(int c) const { return m_params[size_t(c)]; }
    bool isGateOpen(int c) const;
    QPushButton *enableButton(int c) const { return m_strips[size_t(c)].enable; }
    GateLamp *lamp(int c) const { return m_strips[size_t(c)].lamp; }
    KnobField *control(int c, Param p) const { return m_strips[size_t(c)].controls[size_t(p)]; }
    QLabel *titleLabel(int c) const { return m_strips[size_t(c)].title; }

signals:
    void gateState(uchar channel, bool open);
    void threshValue(uchar channel, int value);

public slots:
    // A threshold set on the automixer page: taken, shown and sent at once.
    void threshChanged(uchar ucChannel, int value);
    void enableClicked(bool isChecked);
    void threshEditingFinished();
    void attackEditingFinished();
    void decayEditingFinished();
    void threshChanged(float value);
    void attackChanged(float value);
    void decayChanged(float value);

protected:
    void onTick() override;
    // The lamps are polled every 10th tick while the page is shown.
    bool needsTicks() const override { return true; }
    void retranslate() override;

private:
    struct Strip
    {
        QLabel *title = nullptr;
        QPushButton *enable = nullptr;
        GateLamp *lamp = nullptr;
        std::array<QLabel *, ParamCount> captions{};
        std::array<KnobField *, ParamCount> controls{};
    };

    QWidget *buildStrip(int c);
    int channelOf(QObject *control) const;
    static int &field(GateParams &params, Param p);
    // Stores a value the record does not hold yet and shows it; a threshold
    // is announced. False when the record already held it.
    bool apply(int c, Param p, int value);
    void knobEdited(Param p, float value);
    void fieldEdited(Param p);
    void sendRecord(int c);

    std::array<GateParams, Channels> m_params{};
    std::array<Strip, Channels> m_strips{};
    quint32 m_pollTicks = 0;
};
