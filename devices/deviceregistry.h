#pragma once

#include "devices/broadcastmsg.h"

#include <QString>
#include <QVector>

// The units ever discovered, kept in the SQLite file "device.db" of the working
// directory on the default connection. Every statement the program runs on the
// database is here. When the file cannot be opened every call does nothing and
// the list lives for the run only.
class DeviceRegistry final
{
public:
    DeviceRegistry() = default;
    ~DeviceRegistry();
    DeviceRegistry(const DeviceRegistry &) = delete;
    DeviceRegistry &operator=(const DeviceRegistry &) = delete;

    // Opens (and creates) the database and its table. False when it cannot be
    // used.
    bool open(const QString &fileName = QStringLiteral("device.db"));
    bool isOpen() const { return m_open; }

    // Every stored unit, in the order of the table.
    QVector<broadcastMsg> load();

    // Inserts an announced unit as a new row.
    bool sqlAdd(const broadcastMsg &record);
    // Writes the fields of `fields` that the registry holds (address, model,
    // both versions, location, description, serial number) from `record`.
    void update(const broadcastMsg &record, broadcastMsg::Fields fields);
    bool remove(quint32 machineid);

    // Statements that changed the database (insert, update, delete) so far.
    int writeCount() const { return m_writes; }

private:
    bool exec(const QString &statement);
    bool execText(const char *statement, const char *name, const QString &value, quint32 machineid);

    bool m_open = false;
    int m_writes = 0;
};
