#pragma once
// What the window, the station and kvt-cli record into the installation register. Recording
// writes the local file at once (the SQLite register, or the queue for a server) and never
// waits on the network: the server is reached by a thread of its own, a moment after an event
// (the events of a burst, eight terminals at work, go together) and every 30 s. Recording never stops the work it tells of: a failure goes out as
// recordFailed.

#include "register/installationregister.h"
#include "register/registerevent.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <algorithm>
#include <memory>

class QThread;
class QTimer;

class RegisterSender;

class RegisterRecorder : public QObject
{
    Q_OBJECT

public:
    explicit RegisterRecorder(const RegisterLocation &where, QObject *parent = nullptr);
    ~RegisterRecorder() override;

    const RegisterLocation &location() const { return local.location(); }

    // Records the event (see InstallationRegister::record) and has the queue sent.
    bool record(const RegisterEvent &event);
    // `connected` for a terminal's first identity in this run (once per serial number, or per
    // IMEI without one), with the port it came on.
    void terminalIdentified(const TerminalIdentity &terminal, const QString &port);
    // A journal line just appended (batch set-up, station, kvt-cli provision): one
    // `provisioned` event, the same the line would give imported, with the port and vehicle
    // given when the line has none.
    void journalLineWritten(const QString &line, const QString &port = QString(),
                            const QString &vehicle = QString());

    void rememberVehicle(const QString &serialNumber, const QString &vehicle);
    QString vehicleFor(const QString &serialNumber) { return local.vehicleFor(serialNumber); }
    // The newest events waiting for the server, newest first (none with the SQLite register).
    QVector<RegisterEvent> queuedEvents(int limit) { return local.queuedEvents(limit); }

    // Sends the queue now (in the sending thread); syncFinished tells how it went.
    void syncSoon() { askSend(); }
    // Waits up to `ms` for the sending thread to send what is queued now: kvt-cli before it
    // ends. True when the queue is empty.
    bool syncAndWait(int ms);
    // How often the queue is tried while events wait; 30 s unless set.
    void setSyncInterval(int ms);

    int queuedCount() const { return lastQueued; }
    // Counted in the queue now (the last answer of the sending thread may be older).
    int queuedNow() { return std::max(0, local.queued()); }
    bool serverReachable() const { return reachable; }

signals:
    // After each try of the server: what is still queued, and the reason when it failed.
    void syncFinished(int queued, bool reachable, const QString &error);
    void sendAnswered(int ticket, bool reachable);
    // An event went into the local file (the SQLite register, or the queue for a server).
    void recorded();
    // The sending thread has put `count` queued events on the server.
    void eventsSent(int count);
    // The local file could not be written: the event is lost, the work goes on.
    void recordFailed(const QString &error);

private:
    // asks the sending thread to send; the answer comes with the number returned
    int askSend();

    InstallationRegister local;
    int asked = 0;
    QSet<QString> identified;
    QThread *thread = nullptr;
    RegisterSender *sender = nullptr;
    QTimer *timer = nullptr;
    QTimer *soon = nullptr;   // the send after new events
    int lastQueued = 0;
    bool reachable = true;
};

// Sends the queue, living in the recorder's thread with its own connections.
class RegisterSender : public QObject
{
    Q_OBJECT

public:
    explicit RegisterSender(const RegisterLocation &where) : where(where) {}
    ~RegisterSender() override;

public slots:
    void send(int ticket);

signals:
    void sent(int ticket, int queued, bool reachable, const QString &error, int sentCount);

private:
    RegisterLocation where;
    std::unique_ptr<InstallationRegister> reg;
};
