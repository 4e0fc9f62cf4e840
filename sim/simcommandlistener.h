#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>

class QUdpSocket;
class SimUnit;

// The UDP command port of the simulated units (6001 by default), on loopback
// only. A datagram is a 12-byte header of three u32 little-endian values
// (addressee, command, payload length) and the payload. Command 2 with 12
// payload bytes gives the unit whose machine id is the addressee a new address,
// mask and gateway.
class SimCommandListener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SimCommandListener)

public:
    explicit SimCommandListener(QObject *parent = nullptr);
    ~SimCommandListener() override;

    // Binds `address` (which must be a loopback address) and `port` (0: any free one).
    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    QString errorString() const { return m_error; }

    void addUnit(SimUnit *unit);

signals:
    void commandReceived(quint32 addressee, quint32 command, const QByteArray &payload);

private:
    void readDatagrams();
    void handle(const QByteArray &datagram);

    QUdpSocket *m_socket;
    QList<QPointer<SimUnit>> m_units;
    QString m_error;
};
