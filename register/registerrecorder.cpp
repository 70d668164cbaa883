#include "register/registerrecorder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

RegisterRecorder::RegisterRecorder(const RegisterLocation &where, QObject *parent)
    : QObject(parent), local(where)
{
    lastQueued = std::max(0, local.queued());
    if (!where.isServer())
        return;
    thread = new QThread(this);
    thread->setObjectName(QStringLiteral("register sender"));
    sender = new RegisterSender(where);
    sender->moveToThread(thread);
    connect(thread, &QThread::finished, sender, &QObject::deleteLater);
    connect(sender, &RegisterSender::sent, this,
            [this](int ticket, int queued, bool ok, const QString &error, int sentCount) {
                lastQueued = queued;
                reachable = ok;
                emit syncFinished(queued, ok, error);
                emit sendAnswered(ticket, ok);
                if (sentCount > 0)
                    emit eventsSent(sentCount);
            });
    thread->start();
    timer = new QTimer(this);
    timer->setInterval(30000);
    connect(timer, &QTimer::timeout, this, &RegisterRecorder::syncSoon);
    timer->start();
    soon = new QTimer(this);
    soon->setSingleShot(true);
    soon->setInterval(100);
    connect(soon, &QTimer::timeout, this, &RegisterRecorder::syncSoon);
    syncSoon();
}

RegisterRecorder::~RegisterRecorder()
{
    if (thread) {
        thread->quit();
        thread->wait();
    }
}

bool RegisterRecorder::record(const RegisterEvent &event)
{
    QString error;
    if (!local.record(event, &error)) {
        emit recordFailed(error);
        return false;
    }
    if (location().isServer()) {
        ++lastQueued;
        if (!soon->isActive())
            soon->start();
    }
    emit recorded();
    return true;
}

void RegisterRecorder::terminalIdentified(const TerminalIdentity &terminal, const QString &port)
{
    const QString key = !terminal.serialNumber.isEmpty() ? terminal.serialNumber : terminal.imei;
    if (key.isEmpty() || identified.contains(key))
        return;
    identified.insert(key);
    RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::Connected), terminal);
    e.port = port;
    record(e);
}

void RegisterRecorder::journalLineWritten(const QString &line, const QString &port,
                                          const QString &vehicle)
{
    RegisterEvent e;
    if (!journalLineEvent(line, &e))
        return;
    e.engineer = registerEngineer();
    e.host = registerHost();
    if (e.port.isEmpty())
        e.port = port;
    e.vehicle = vehicle;
    record(e);
}

void RegisterRecorder::rememberVehicle(const QString &serialNumber, const QString &vehicle)
{
    local.rememberVehicle(serialNumber, vehicle);
}

int RegisterRecorder::askSend()
{
    if (!sender)
        return 0;
    const int ticket = ++asked;
    QMetaObject::invokeMethod(sender, [s = sender, ticket] { s->send(ticket); }, Qt::QueuedConnection);
    return ticket;
}

bool RegisterRecorder::syncAndWait(int ms)
{
    if (!sender)
        return true;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    // answers to sends asked before this one do not count: they may have run before the
    // last events were queued, or before the server came back
    const int mine = askSend();
    const auto c = connect(this, &RegisterRecorder::sendAnswered, &loop,
                           [&loop, mine](int ticket) {
                               if (ticket >= mine)
                                   loop.quit();
                           });
    loop.exec();
    disconnect(c);
    lastQueued = std::max(0, local.queued());
    return lastQueued == 0;
}

void RegisterRecorder::setSyncInterval(int ms)
{
    if (timer)
        timer->setInterval(ms);
}

RegisterSender::~RegisterSender() = default;

void RegisterSender::send(int ticket)
{
    if (!reg)
        reg = std::make_unique<InstallationRegister>(where);
    QString error;
    int sentCount = 0;
    const bool ok = reg->sync(&sentCount, &error);
    const int left = reg->queued();
    emit sent(ticket, std::max(0, left), ok, ok ? QString() : error, sentCount);
}
