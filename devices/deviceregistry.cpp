#include "devices/deviceregistry.h"

#include "devices/devicelog.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char *const CreateStatement =
    "create table devicetable (ID INTEGER PRIMARY KEY,machineid unsigned int,"
    "ipaddress unsigned int,model varchar(16),ARMFirmware unsigned int,"
    "DSPFirmware unsigned int,location varchar(16),description varchar(16),sn varchar(16))";

} // namespace

DeviceRegistry::~DeviceRegistry()
{
    if (!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)))
        return;
    QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).close();
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

bool DeviceRegistry::open(const QString &fileName)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(fileName);
    if (!db.open()) {
        qCWarning(lcDevices) << "cannot open" << fileName << db.lastError().text();
        return false;
    }
    QSqlQuery(db).exec(QLatin1String(CreateStatement)); // fails harmlessly when it exists
    // SQLite opens lazily: only a read proves that the file is a usable database.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select count(*) from devicetable"))) {
        qCWarning(lcDevices) << "cannot use" << fileName << probe.lastError().text();
        db.close();
        return false;
    }
    m_open = true;
    return true;
}

QVector<broadcastMsg> DeviceRegistry::load()
{
    QVector<broadcastMsg> units;
    if (!m_open)
        return units;
    QSqlQuery q;
    if (!q.exec(QStringLiteral("select * from devicetable"))) {
        qCWarning(lcDevices) << "load:" << q.lastError().text();
        return units;
    }
    while (q.next()) {
        broadcastMsg m;
        m.machineid = q.value(1).toUInt();
        m.ipaddress = q.value(2).toUInt();
        m.model = q.value(3).toString();
        m.armVersion = broadcastMsg::unpackVersion(q.value(4).toUInt());
        m.dspVersion = broadcastMsg::unpackVersion(q.value(5).toUInt());
        m.location = q.value(6).toString();
        m.description = q.value(7).toString();
        m.sn = q.value(8).toString();
        units.append(m);
    }
    return units;
}

bool DeviceRegistry::sqlAdd(const broadcastMsg &m)
{
    if (!m_open)
        return false;
    QSqlQuery q;
    q.prepare(QStringLiteral("insert into devicetable values (NULL, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(m.machineid);
    q.addBindValue(m.ipaddress);
    q.addBindValue(m.model);
    q.addBindValue(m.armFirmware());
    q.addBindValue(m.dspFirmware());
    q.addBindValue(m.location);
    q.addBindValue(m.description);
    q.addBindValue(m.sn);
    ++m_writes;
    if (!q.exec()) {
        qCWarning(lcDevices) << "sqlAdd:" << q.lastError().text();
        return false;
    }
    return true;
}

void DeviceRegistry::update(const broadcastMsg &m, broadcastMsg::Fields fields)
{
    if (!m_open)
        return;
    const quint32 id = m.machineid;
    if (fields & broadcastMsg::Address)
        exec(QString::asprintf("UPDATE devicetable SET ipaddress = %u WHERE machineid = %u",
                               m.ipaddress, id));
    if (fields & broadcastMsg::Model)
        execText("UPDATE devicetable SET model = :model WHERE machineid = :machineid", ":model",
                 m.model, id);
    if (fields & broadcastMsg::ArmVersion)
        exec(QString::asprintf("UPDATE devicetable SET ARMFirmware = %u WHERE machineid = %u",
                               m.armFirmware(), id));
    if (fields & broadcastMsg::DspVersion)
        exec(QString::asprintf("UPDATE devicetable SET DSPFirmware = %u WHERE machineid = %u",
                               m.dspFirmware(), id));
    if (fields & broadcastMsg::Location)
        execText("UPDATE devicetable SET location = :location WHERE machineid = :machineid",
                 ":location", m.location, id);
    if (fields & broadcastMsg::Description)
        execText("UPDATE devicetable SET description = :description WHERE machineid = :machineid",
                 ":description", m.description, id);
    if (fields & broadcastMsg::Sn)
        execText("UPDATE devicetable SET sn = :sn WHERE machineid = :machineid", ":sn", m.sn, id);
}

bool DeviceRegistry::remove(quint32 machineid)
{
    if (!m_open)
        return false;
    if (!exec(QString::asprintf("DELETE FROM devicetable WHERE machineid = %u", machineid))) {
        qCDebug(lcDevices) << "sqlRemove failed for machine id" << machineid;
        return false;
    }
    return true;
}

bool DeviceRegistry::exec(const QString &statement)
{
    QSqlQuery q;
    ++m_writes;
    if (!q.exec(statement)) {
        qCWarning(lcDevices) << statement << q.lastError().text();
        return false;
    }
    return true;
}

bool DeviceRegistry::execText(const char *statement, const char *name, const QString &value,
                              quint32 machineid)
{
    QSqlQuery q;
    q.prepare(QLatin1String(statement));
    q.bindValue(QLatin1String(name), value);
    q.bindValue(QStringLiteral(":machineid"), machineid);
    ++m_writes;
    if (!q.exec()) {
        qCWarning(lcDevices) << statement << q.lastError().text();
        return false;
    }
    return true;
}
