#include "settings/core_settingswriter.h"

#include "link/commands.h"

#include <QTimer>

SettingsWriter::SettingsWriter(QObject *parent)
    : SettingsWriter(SendLine(), parent)
{
}

SettingsWriter::SettingsWriter(SendLine send, QObject *parent)
    : QObject(parent)
    , sendLine(std::move(send))
    , timer(new QTimer(this))
{
    qRegisterMetaType<WriteOutcome>();
    timer->setSingleShot(true);
    timer->setInterval(5000);
    connect(timer, &QTimer::timeout, this, &SettingsWriter::timedOut);
}

void SettingsWriter::setSendLine(SendLine send)
{
    sendLine = std::move(send);
}

void SettingsWriter::setTimeout(int ms)
{
    timer->setInterval(ms);
}

int SettingsWriter::timeout() const
{
    return timer->interval();
}

QString SettingsWriter::readRequest()
{
    QString line = QString::fromLatin1(Command::readSettings);
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

void SettingsWriter::send(const QString &line)
{
    if (sendLine)
        sendLine(line);
}

void SettingsWriter::requestSettings()
{
    send(readRequest());
}

void SettingsWriter::write(const TerminalSettings &settings)
{
    // what is checked is set before anything goes out: an answer may come at once
    written = settings;
    written.reportedItems.clear();
    knowsChange = seen;
    before = lastSeen;
    wrote = true;
    waiting = true;
    timer->start();
    emit writeStarted();
    send(buildSettingsString(written));
    // the answer confirms the write, or shows that it did not arrive intact
    requestSettings();
}

// Every settings record after a write is checked against it; the first one ends the wait, and
// one that comes after the wait has run out is checked all the same.
void SettingsWriter::settingsReported(const TerminalSettings &reported)
{
    lastSeen = reported;
    seen = true;
    if (!wrote)
        return;
    const EchoCheck check = checkSettingsEcho(written, reported);
    const QStringList differing = differingFieldNames(check);
    emit checked(check.confirmed(), differing);
    if (!waiting)
        return;
    waiting = false;
    timer->stop();
    WriteOutcome outcome = WriteOutcome::NotConfirmed;
    if (check.confirmed())
        outcome = WriteOutcome::Confirmed;
    else if (knowsChange && noChangeTaken(written, before, reported))
        outcome = WriteOutcome::WrongPassword;
    emit finished(outcome, differing);
}

void SettingsWriter::timedOut()
{
    if (!waiting)
        return;
    waiting = false;
    emit finished(WriteOutcome::NoAnswer, QStringList());
}

void SettingsWriter::terminalConnected()
{
    // a write still waiting went to the terminal before, which went away without an answer
    if (waiting) {
        timer->stop();
        timedOut();
    }
    written = TerminalSettings();
    wrote = false;
    lastSeen = TerminalSettings();
    seen = false;
}
