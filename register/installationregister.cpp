#include "register/installationregister.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

InstallationRegister::InstallationRegister(const RegisterLocation &location)
    : where(location), queueName(QStringLiteral("kvtqueue-") + QUuid::createUuid().toString(QUuid::Id128))
{
}

InstallationRegister::~InstallationRegister()
{
    store.reset();
    if (QSqlDatabase::contains(queueName)) {
        QSqlDatabase::database(queueName, false).close();
        QSqlDatabase::removeDatabase(queueName);
    }
}

QString InstallationRegister::queuePath()
{
    return registerDataFolder() + QStringLiteral("/register-queue.sqlite");
}

bool InstallationRegister::openQueue(QString *error)
{
    if (QSqlDatabase::contains(queueName) && QSqlDatabase::database(queueName, false).isOpen())
        return true;
    QSqlDatabase db = QSqlDatabase::contains(queueName)
                          ? QSqlDatabase::database(queueName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), queueName);
    if (!db.isValid()) {
        if (error)
            *error = QStringLiteral("the Qt SQL driver for SQLite is missing (Debian: libqt5sql5-sqlite)");
        return false;
    }
    QDir().mkpath(registerDataFolder());
    db.setDatabaseName(queuePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    // as the SQLite register: an event committed to the WAL survives the program killed at any
    // moment; without a flush to the disk on each one, which the window's thread would wait
    // for (only the machine losing power may lose the last events)
    for (const char *sql : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL",
                            "CREATE TABLE IF NOT EXISTS queue (seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                            "id TEXT NOT NULL, event TEXT NOT NULL)",
                            "CREATE TABLE IF NOT EXISTS vehicles (serial_number TEXT PRIMARY KEY, "
                            "vehicle TEXT NOT NULL)"}) {
        if (!q.exec(QString::fromLatin1(sql))) {
            if (error)
                *error = q.lastError().text();
            db.close();
            return false;
        }
    }
    return true;
}

RegisterDatabase *InstallationRegister::database(QString *error)
{
    if (!store)
        store = std::make_unique<RegisterDatabase>(where);
    if (!store->open(error))
        return nullptr;
    return store.get();
}

void InstallationRegister::rememberVehicle(const QString &serialNumber, const QString &vehicle)
{
    if (serialNumber.isEmpty() || !openQueue(nullptr))
        return;
    QSqlQuery q(QSqlDatabase::database(queueName, false));
    q.prepare(QStringLiteral("INSERT INTO vehicles (serial_number, vehicle) VALUES (?, ?) "
                             "ON CONFLICT (serial_number) DO UPDATE SET vehicle = excluded.vehicle"));
    q.addBindValue(serialNumber);
    q.addBindValue(vehicle);
    q.exec();
}

QString InstallationRegister::vehicleFor(const QString &serialNumber)
{
    if (serialNumber.isEmpty() || !openQueue(nullptr))
        return QString();
    QSqlQuery q(QSqlDatabase::database(queueName, false));
    q.prepare(QStringLiteral("SELECT vehicle FROM vehicles WHERE serial_number = ?"));
    q.addBindValue(serialNumber);
    return q.exec() && q.next() ? q.value(0).toString() : QString();
}

bool InstallationRegister::record(RegisterEvent event, QString *error)
{
    if (event.vehicle.isEmpty())
        event.vehicle = vehicleFor(event.serialNumber);
    else
        rememberVehicle(event.serialNumber, event.vehicle);
    if (!where.isServer()) {
        RegisterDatabase *db = database(error);
        return db && db->insert({event}, nullptr, error);
    }
    // the commit point: once the queue has it, the event is recorded
    if (!openQueue(error))
        return false;
    QSqlQuery q(QSqlDatabase::database(queueName, false));
    q.prepare(QStringLiteral("INSERT INTO queue (id, event) VALUES (?, ?)"));
    q.addBindValue(event.id.toString(QUuid::WithoutBraces));
    q.addBindValue(QString::fromUtf8(QJsonDocument(event.toJson()).toJson(QJsonDocument::Compact)));
    if (q.exec())
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

int InstallationRegister::queued(QString *error)
{
    if (!where.isServer() && !QFileInfo::exists(queuePath()))
        return 0;
    if (!openQueue(error))
        return -1;
    QSqlQuery q(QSqlDatabase::database(queueName, false));
    if (q.exec(QStringLiteral("SELECT count(*) FROM queue")) && q.next())
        return q.value(0).toInt();
    if (error)
        *error = q.lastError().text();
    return -1;
}

QVector<RegisterEvent> InstallationRegister::queuedEvents(int limit)
{
    QVector<RegisterEvent> events;
    if (!where.isServer() || !openQueue(nullptr))
        return events;
    QSqlQuery q(QSqlDatabase::database(queueName, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT event FROM queue ORDER BY seq DESC LIMIT ?"));
    q.addBindValue(limit);
    if (q.exec()) {
        while (q.next())
            events.append(RegisterEvent::fromJson(QJsonDocument::fromJson(q.value(0).toString().toUtf8()).object()));
    }
    return events;
}

bool InstallationRegister::sync(int *sent, QString *error)
{
    if (sent)
        *sent = 0;
    if (!where.isServer())
        return true;
    if (!openQueue(error))
        return false;
    QSqlDatabase queue = QSqlDatabase::database(queueName, false);
    RegisterDatabase *server = nullptr;
    for (;;) {
        QSqlQuery q(queue);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT seq, event FROM queue ORDER BY seq LIMIT 500"))) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
        QVector<RegisterEvent> events;
        qint64 last = -1;
        while (q.next()) {
            last = q.value(0).toLongLong();
            events.append(RegisterEvent::fromJson(
                QJsonDocument::fromJson(q.value(1).toString().toUtf8()).object()));
        }
        q.finish();
        if (events.isEmpty())
            return true;
        if (!server && !(server = database(error)))
            return false;
        if (!server->insert(events, nullptr, error)) {
            // a connection the server dropped (restarted meanwhile) is made once more
            server->close();
            if (!(server = database(error)) || !server->insert(events, nullptr, error)) {
                if (server)
                    server->close();
                return false;
            }
        }
        // only now: killed before this line, the events go again and the server keeps one
        QSqlQuery done(queue);
        done.prepare(QStringLiteral("DELETE FROM queue WHERE seq <= ?"));
        done.addBindValue(last);
        if (!done.exec()) {
            if (error)
                *error = done.lastError().text();
            return false;
        }
        if (sent)
            *sent += events.size();
    }
}
