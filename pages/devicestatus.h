#pragma once

#include "protocol/frame.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <array>

// The unit's identity and status as its status answers report them (system
// module 2): versions, serial number, location, description, DSP usage, global
// mute and fault flags. A signal goes out only when a value changes, so the
// overview repaints only what changed.
class DeviceStatus final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceStatus)

public:
    explicit DeviceStatus(QObject *parent = nullptr);

    // Takes one answer of the device settings module; false when it is not a
    // status answer this class keeps.
    bool handle(const Proto::Frame &frame);
    // Forgets everything (another unit was selected).
    void clear();

    quint8 fault() const { return m_fault; }

signals:
    void sig_armVer(uchar major, uchar minor, uchar patch);
    void sig_dspVer(uchar major, uchar minor, uchar patch);
    void sig_location(QString text);
    void sig_description(QString text);
    void sig_dspUsage(float a, float b);
    void sig_allMute(bool mute);
    void sig_sn(QString text);
    void sig_fault(uchar fault, QVector<float> voltages);

private:
    std::array<quint8, 3> m_arm{};
    std::array<quint8, 3> m_dsp{};
    QString m_sn;
    QString m_location;
    QString m_description;
    float m_usage[2] = {-1, -1};
    int m_allMute = -1;
    quint8 m_fault = 0;
};
