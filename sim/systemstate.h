#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QString>

#include <array>

// Identity, health and system settings of the simulated unit: everything the
// system commands (op 2, modules 2 and 4) read and write.
struct SystemState
{
    QString model = QStringLiteral("DAP-1616");
    std::array<quint8, 3> armVersion{{2, 9, 4}};
    std::array<quint8, 3> dspVersion{{2, 8, 1}};
    QString sn = QStringLiteral("SIM0000000001");
    quint8 inputs = 16;
    quint8 outputs = 16;
    quint32 totalTimeBase = 1234567; // seconds run before this start
    quint32 bootCount = 42;
    float temperature = 41.5f;
    QString location = QStringLiteral("Rack 1");
    QString description = QStringLiteral("Simulated unit");
    qint64 clockOffsetSecs = 0; // unit clock minus the computer's clock
    quint32 ipAddress = 0x7F000001;
    quint32 subnetMask = 0xFFFFFF00;
    quint32 gateway = 0x7F0000FE;
    quint8 fault = 0;
    quint8 allMute = 0;
    quint32 rs232Baud = 115200;
    quint32 rs485Baud = 9600;
    std::array<float, 7> voltages{{12.1f, -12.0f, 5.02f, -4.98f, 3.31f, 2.5f, 47.8f}};
    bool reportsVoltages = true;
    quint8 gateReport = 0;
    quint8 aecSupport = 1;
    quint8 ancSupport = 1;
    quint16 code = 1;
    QString password; // empty: no login required
    QElapsedTimer started;

    quint32 runTime() const;
    QByteArray clockBytes() const;
    void setClock(const QByteArray &sevenBytes);

    // Restores what a factory reset restores: texts, switches and password.
    // Identity, network and code stay.
    void factoryReset();
};
