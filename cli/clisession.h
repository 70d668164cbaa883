#pragma once
// One terminal for one command: the session on the port at the line parameters the port
// dialog starts with (115200 8N1, no flow control), and waiting for the terminal's answers
// with a time limit while the events run.

#include "link/terminalsession.h"

#include <QObject>
#include <QString>

#include <functional>

class QEventLoop;

class CliSession : public QObject
{
    Q_OBJECT

public:
    explicit CliSession(const QString &portName, QObject *parent = nullptr);

    TerminalSession &line() { return session; }

    // Opens the port; false, with the reason on standard error, when it cannot be opened.
    // A lost line is not waited for unless `reconnect`.
    bool open(bool reconnect = false);
    // Sends bytes as they are (a command of the catalogue, Command::...).
    void send(const char *command);

    // Runs the events until `done` gives true (asked after every chunk read and every
    // recheck()) or `ms` have passed, or the line is closed; what `done` gives at the end.
    bool waitFor(const std::function<bool()> &done, int ms);
    // Lets a wait ask its `done` again: for what ends without a chunk read (a timer's end).
    void recheck();
    // Runs the events for `ms` (the line is read meanwhile).
    void runFor(int ms);

    // Asks for the identity (DI, DN, MN) and waits up to `ms` for all three; false, with the
    // reason on standard error, when they do not all come.
    bool readIdentity(int ms = 5000);

private:
    TerminalSession session;
    QString port;
    QEventLoop *waiting = nullptr;   // the loop of the wait running now
};
