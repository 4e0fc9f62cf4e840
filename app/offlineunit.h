#pragma once

#include "devices/broadcastmsg.h"

#include <QObject>

#include <memory>

class SimUnit;

// The unit the program works on offline: the simulated unit's library run
// inside the program, on 127.0.0.1 with a port the system picks, announcing
// nowhere. The program lists it and connects to it like any unit, so every
// page, the presets and the command tool work on it.
class OfflineUnit final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(OfflineUnit)

public:
    // The device id it is listed with: no unit of the product announces it.
    static constexpr quint32 MachineId = 0x4F46464C;

    explicit OfflineUnit(QObject *parent = nullptr);
    ~OfflineUnit() override;

    // Starts listening. False, with `error`, when no port can be had.
    bool start(QString *error);
    bool isRunning() const;
    quint16 port() const;
    // Its announcement as the device list takes it, at its loopback address.
    broadcastMsg record() const;

private:
    std::unique_ptr<SimUnit> m_unit;
};
