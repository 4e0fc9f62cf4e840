#pragma once

#include "model/paramid.h"
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
// The values live in the unit's state: the page applies the gate's answers to
// it (also while hidden, so the automixer page, which shows the thresholds and
// lamps from the same state, follows them) and shows what changes. Every
// change of a channel's threshold or lamp, whatever its source, is announced
// with threshValue() and gateState(); a threshold edited on the automixer
// arrives at threshChanged(uchar, int), and this page writes the record.
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

    // A view of channel c's values in the state.
    GateParams params(int c) const;
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
    void updateAccessibleNames(int c);
    int channelOf(QObject *control) const;
    Model::ParamId id(int c, Param p) const;
    // Shows a value of the state that changed.
    void showParam(const Model::ParamId &id);
    void knobEdited(Param p, float value);
    void fieldEdited(Param p);
    void sendRecord(int c);

    // The state's parameters: enable, open, and those of Param.
    int m_enableParam;
    int m_openParam;
    std::array<int, ParamCount> m_params{};
    std::array<Strip, Channels> m_strips{};
    quint32 m_pollTicks = 0;
};
