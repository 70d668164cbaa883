#include "cli/password.h"

#include "cli/output.h"

#include <QFile>
#include <QtGlobal>

#include <csignal>

#include <fcntl.h>
#include <pthread.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char environmentVariable[] = "KVT_PASSWORD";

// The first line, its line end (LF or CR LF) left out; the whole text when it has none (a file
// written by printf or a secret manager).
QString firstLine(QByteArray bytes)
{
    const int end = bytes.indexOf('\n');
    if (end >= 0)
        bytes.truncate(end);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    const QString line = QString::fromUtf8(bytes);
    bytes.fill('\0');
    return line;
}

// A password file others may read is still used, but said so.
void warnIfShared(const QFile &file, const QString &path)
{
    struct stat status{};
    if (::fstat(file.handle(), &status) == 0 && S_ISREG(status.st_mode)
        && (status.st_mode & (S_IRGRP | S_IROTH)) != 0)
        printMessage(QStringLiteral("warning: the password file %1 can be read by other users "
                                    "(chmod 600 %1)")
                         .arg(path));
}

PasswordAnswer fromFile(const QString &path)
{
    QFile file;
    const bool standardInput = path == QLatin1String("-");
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        return {PasswordAnswer::Unavailable, QString(),
                QStringLiteral("cannot read the password file %1: %2").arg(path, file.errorString())};
    if (!standardInput)
        warnIfShared(file, path);
    // a password is one short line: what follows it is never read
    return {PasswordAnswer::Given, firstLine(file.readLine(4096)), QString()};
}

// Does nothing: the signal only ends the wait at the prompt (EINTR) instead of the process,
// which would leave the terminal's echo off.
void interruptWait(int)
{
}

// Asks on the controlling terminal, without echo; the terminal's modes and the signals'
// handling are put back whatever happens. The stop signals are blocked except while waiting
// for input (pselect), so one that comes at any moment ends the wait.
PasswordAnswer askOnTerminal()
{
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0)
        return {PasswordAnswer::Unavailable, QString(),
                QStringLiteral("no access password: give --password-file FILE or set %1 "
                               "(there is no terminal to ask on)")
                    .arg(QLatin1String(environmentVariable))};
    const int stopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    sigset_t blocked, before;
    sigemptyset(&blocked);
    for (int s : stopSignals)
        sigaddset(&blocked, s);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &before);
    struct sigaction interrupt{};
    interrupt.sa_handler = interruptWait;
    sigemptyset(&interrupt.sa_mask);
    struct sigaction handlers[4];
    for (int i = 0; i < 4; ++i)
        ::sigaction(stopSignals[i], &interrupt, &handlers[i]);
    sigset_t waiting = before;
    for (int s : stopSignals)
        sigdelset(&waiting, s);

    termios saved{};
    const bool hasModes = ::tcgetattr(tty, &saved) == 0;
    if (hasModes) {
        termios quiet = saved;
        quiet.c_lflag &= tcflag_t(~ECHO);
        quiet.c_lflag |= ECHONL;   // Enter still moves to the next line
        ::tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    static const char prompt[] = "Access password: ";
    (void)!::write(tty, prompt, sizeof prompt - 1);
    QByteArray line;
    bool complete = false;
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(tty, &readable);
        if (::pselect(tty + 1, &readable, nullptr, nullptr, nullptr, &waiting) < 0)
            break;   // a stop signal
        char c = 0;
        const ssize_t n = ::read(tty, &c, 1);
        if (n == 1 && c != '\n') {
            if (line.size() < 4096)
                line.append(c);
            continue;
        }
        complete = n == 1;   // the end of input leaves it unanswered
        break;
    }

    if (hasModes)
        ::tcsetattr(tty, TCSAFLUSH, &saved);
    if (!complete)
        (void)!::write(tty, "\n", 1);
    ::close(tty);
    for (int i = 0; i < 4; ++i)
        ::sigaction(stopSignals[i], &handlers[i], nullptr);
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (!complete)
        return {PasswordAnswer::Interrupted, QString(), QStringLiteral("no password given")};
    if (line.endsWith('\r'))
        line.chop(1);
    const PasswordAnswer answer{PasswordAnswer::Given, QString::fromUtf8(line), QString()};
    line.fill('\0');
    return answer;
}

} // namespace

PasswordAnswer readAccessPassword(const QString &passwordFile)
{
    if (!passwordFile.isEmpty())
        return fromFile(passwordFile);
    if (qEnvironmentVariableIsSet(environmentVariable))
        return {PasswordAnswer::Given, qEnvironmentVariable(environmentVariable), QString()};
    return askOnTerminal();
}
