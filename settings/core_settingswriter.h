#pragma once
// Writing a terminal's settings and checking that it took them, without widgets: the settings
// string goes out, then the settings request, and the next settings record tells whether the
// terminal holds what was written. Lines go out through a function the owner gives (the
// window's sender, a session's sendLine, a test's recorder); settings records come in through
// settingsReported(), read once by whoever receives them (readTerminalSettings).
//
// The settings page writes through one for "Записать", and batch set-up through the same one.

#include "settings/core_settingsecho.h"
#include "settings/core_terminalsettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTimer;

class SettingsWriter : public QObject
{
    Q_OBJECT

public:
    // Sends one command line; the line end is the sender's.
    using SendLine = std::function<void(const QString &line)>;

    explicit SettingsWriter(QObject *parent = nullptr);
    explicit SettingsWriter(SendLine send, QObject *parent = nullptr);
    void setSendLine(SendLine send);

    // How long a write waits for the settings record that answers it; 5 s unless set.
    void setTimeout(int ms);
    int timeout() const;

    // The settings request (Command::readSettings without its line end), and sending it alone.
    static QString readRequest();
    void requestSettings();

    // Sends the settings string of `settings` (the access password, the marker, the body),
    // then the settings request, and waits for the answer. Whether the terminal can take them
    // is the caller's to check first (settingsRefusal). A write still waiting is replaced
    // without an outcome of its own.
    void write(const TerminalSettings &settings);

    // A settings record came: it is checked against the last settings written, if any, and
    // the first one after a write ends it.
    void settingsReported(const TerminalSettings &reported);

    // Another terminal is on the line: a write still waiting ends as not answered, and what
    // was written before is forgotten.
    void terminalConnected();

    bool isWaiting() const { return waiting; }
    bool hasWritten() const { return wrote; }
    const TerminalSettings &lastWritten() const { return written; }

signals:
    // A write began; its lines are about to go out.
    void writeStarted();
    // Every settings record after a write, checked against it, also once the wait is over.
    // `differing`: the object names of the fields the record does not report as written.
    void checked(bool confirmed, const QStringList &differing);
    // How a write ended, once per write: the first settings record after it confirmed it or
    // not, or none came in time (`differing` empty). When a record of this terminal came before
    // the write and the one after it still differs in every value the write was to change,
    // the outcome is WrongPassword: the terminal ignored the write.
    void finished(WriteOutcome outcome, const QStringList &differing);

private:
    void timedOut();
    void send(const QString &line);

    SendLine sendLine;
    QTimer *const timer;
    TerminalSettings written;
    TerminalSettings lastSeen;   // the last settings record of this terminal
    bool seen = false;
    TerminalSettings before;     // the record before the write in progress
    bool knowsChange = false;
    bool wrote = false;
    bool waiting = false;
};
