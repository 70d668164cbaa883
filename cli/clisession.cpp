#include "cli/clisession.h"

#include "cli/output.h"
#include "link/commands.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

CliSession::CliSession(const QString &portName, QObject *parent)
    : QObject(parent)
    , port(portName)
{
    connect(&session, &TerminalSession::chunkFramed, this, &CliSession::recheck);
    connect(&session, &TerminalSession::closed, this, &CliSession::recheck);
}

bool CliSession::open(bool reconnect)
{
    session.setAutoReconnect(reconnect);
    LineSettings settings;
    settings.portName = port;
    if (session.open(settings))
        return true;
    printMessage(QStringLiteral("cannot open %1: %2").arg(port, session.errorString()));
    return false;
}

void CliSession::send(const char *command)
{
    session.send(QByteArray(command));
}

void CliSession::recheck()
{
    if (waiting)
        waiting->quit();
}

bool CliSession::waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const qint64 left = ms - clock.elapsed();
        if (left <= 0 || !session.isOpen())
            return false;
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(int(left));
        QEventLoop *const outer = waiting;
        waiting = &loop;
        loop.exec();
        waiting = outer;
    }
    return true;
}

void CliSession::runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool CliSession::readIdentity(int ms)
{
    bool model = false, serial = false, imei = false;
    const auto a = connect(&session, &TerminalSession::identityReported, this,
                           [&model](const IdentityRecord &) { model = true; });
    const auto b = connect(&session, &TerminalSession::serialNumberReported, this,
                           [&serial](const QString &) { serial = true; });
    const auto c = connect(&session, &TerminalSession::imeiReported, this,
                           [&imei](const QString &) { imei = true; });
    send(Command::identity);
    const bool complete = waitFor([&] { return model && serial && imei; }, ms);
    disconnect(a);
    disconnect(b);
    disconnect(c);
    if (!complete) {
        printMessage(session.isOpen()
                         ? QStringLiteral("no answer from the terminal on %1").arg(port)
                         : QStringLiteral("the line on %1 went away").arg(port));
    }
    return complete;
}
