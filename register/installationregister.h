#pragma once
// The installation register as the program writes it, in one thread. With the SQLite register
// an event goes straight into its file. With a PostgreSQL server it goes first into the local
// queue (register-queue.sqlite beside the default register): once it is there it is recorded,
// whatever happens to the program or the network, and sync() sends the queue to the server in
// order, each event once (an id already on the server is not added again). The queue also
// remembers the vehicle of each terminal, for its later events.

#include "register/registerdatabase.h"
#include "register/registerevent.h"

#include <QString>

#include <memory>

class InstallationRegister
{
public:
    explicit InstallationRegister(const RegisterLocation &where);
    ~InstallationRegister();
    InstallationRegister(const InstallationRegister &) = delete;
    InstallationRegister &operator=(const InstallationRegister &) = delete;

    const RegisterLocation &location() const { return where; }
    // The queue's file.
    static QString queuePath();

    // Records one event. An event without a vehicle takes the one remembered for its serial
    // number; a vehicle given is remembered. False with the reason when even the local file
    // cannot be written.
    bool record(RegisterEvent event, QString *error);

    // Sends what is queued, oldest first, in transactions of up to 500 events, each removed from
    // the queue once the server has committed it. True when the queue is empty after; *sent:
    // events sent (already there or not). Nothing to do for the SQLite register.
    bool sync(int *sent, QString *error);
    // Events waiting in the queue (-1 when the queue cannot be read).
    int queued(QString *error = nullptr);
    // The newest `limit` events waiting in the queue, newest first.
    QVector<RegisterEvent> queuedEvents(int limit);

    void rememberVehicle(const QString &serialNumber, const QString &vehicle);
    QString vehicleFor(const QString &serialNumber);

    // The register itself, connected (and its tables made) on first use; null with the
    // reason when it cannot be reached.
    RegisterDatabase *database(QString *error);

private:
    bool openQueue(QString *error);

    RegisterLocation where;
    std::unique_ptr<RegisterDatabase> store;
    QString queueName;
};
