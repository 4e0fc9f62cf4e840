#pragma once

#include <QObject>
#include <QVector>

#include <functional>

class QMessageBox;
class QWidget;
class RepeatTimer;

// The "Device Fault" box: shown, without blocking anything, when the unit
// reports a hardware fault (bits 0..3 of its fault byte: DSP, DAC, Flash,
// Temp), shown again every two minutes while the fault lasts, and closed when
// it clears.
class FaultReport final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FaultReport)

public:
    static constexpr int RepeatMs = 120000;
    static constexpr quint8 FaultBits = 0x0F; // the bits that name a failing part
    using FaultSource = std::function<quint8()>;

    // `source` gives the current fault byte (the one the settings page shows);
    // the box belongs to `boxParent`. Without a timer a QTimer-based one is made.
    FaultReport(FaultSource source, QWidget *boxParent, RepeatTimer *timer = nullptr);
    ~FaultReport() override;

    // "Found fault :", the failing parts, and where to look.
    static QString text(quint8 fault);

    // The box, made on first use.
    QMessageBox *box();
    RepeatTimer *timer() const { return m_timer; }

public slots:
    // A new fault byte from the unit (the voltages are not used here).
    void setFault(uchar fault, QVector<float> voltages = {});
    // Builds the text from the current fault byte and shows the box.
    void showDeviceFaultMessageBox();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void close();

    FaultSource m_source;
    QWidget *m_boxParent;
    QMessageBox *m_box = nullptr;
    RepeatTimer *m_timer;
    quint8 m_bits = 0; // the fault bits last reported
};
