#pragma once
// One terminal on one line, without widgets: the port, the framing of the record lines, the
// routing of each record to whoever registered for its kind, the terminal's identity, and
// what happens when the line goes (a hang-up, a lost USB device, the terminal's restart):
// waiting for the same terminal, by port name or USB serial number, and opening the port it
// comes back on with the same line parameters.

#include "link/core_terminalidentity.h"
#include "link/core_textlanguage.h"
#include "link/framing.h"
#include "link/portlist.h"
#include "link/recordrouter.h"

#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>

#include <functional>

class PortWatcher;

class TerminalSession : public QObject
{
    Q_OBJECT

public:
    explicit TerminalSession(QObject *parent = nullptr);
    ~TerminalSession() override;

    // Opens the serial port; false with the reason in errorString() when it cannot be opened.
    bool open(const LineSettings &settings);
    // Reads from and writes to any open device instead of a serial port (a recording played
    // back, a test's buffer). The session does not own it.
    void attach(QIODevice *device);
    // Closes the line (a user's disconnect): no waiting for the terminal to come back.
    void close();
    // Closes the line and waits for the terminal to come back: after a command that restarts
    // it without a word (the firmware update over USB). Nothing when the line is closed.
    void closeAndWait();
    // What the port reports goes wrong (connected to the port's errorOccurred()).
    void handlePortError(QSerialPort::SerialPortError error);
    bool isOpen() const;
    bool isWaiting() const;
    QString errorString() const;
    // Why the port could not be opened: short words for the kind of failure, then the
    // system's own text in brackets ("устройство не найдено (No such file or directory)");
    // the short words in Russian for the journals.
    QString openFailureText(TextLanguage language = TextLanguage::Interface) const;
    QSerialPort *serialPort() const { return port; }
    // The port of the last successful open, as the port list showed it.
    const PortEntry &connectedPort() const { return current; }
    // Successful opens so far.
    int connectionCount() const { return connections; }

    // Where the ports are listed (the machine's serial ports unless given).
    void setPortSource(PortSource source);

    // Whether a lost line is waited for and opened again (on by default).
    void setAutoReconnect(bool on) { autoReconnect = on; }
    bool reconnects() const { return autoReconnect; }

    // The session's notion of the current time, ms since the epoch: the wall clock unless
    // given another (a recording played back gives its recorded time). The chunks and writes
    // are stamped with it, and the pages that stamp what they show take it from here.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);
    qint64 now() const { return clock ? clock() : wallClock(); }
    static qint64 wallClock();

    // Writes bytes as they are; -1 when the line is closed, the device takes no writes (a
    // recording played back) or the write failed.
    qint64 send(const QByteArray &bytes);
    // One command line: the text and CR LF, as UTF-8.
    qint64 sendLine(const QString &text);

    RecordRouter &router() { return records; }
    const LineFramer &framing() const { return framer; }
    const TerminalInfo &identity() const { return info; }

    // Reads what the line holds and frames it; queued after readyRead(), so that a handler
    // that opens a message box does not keep the line from being read.
    void readAvailable();

signals:
    void opened(const QString &portName);
    // The line went away by itself (hang-up, device gone); `reason` is the port's error text.
    void lost(const QString &reason);
    // The port was closed (after lost(), the restart record, or close()); `reason` is the
    // port's error text when the line went by itself.
    void closed(const QString &reason);
    // Waiting for the terminal to come back.
    void waiting();
    // The terminal reported its restart (RD); the line is closed and waited for.
    void restarted(bool reported);
    // A chunk read from the line, before its records are framed; chunkFramed() follows once
    // every record it completed went to its handlers.
    void received(const QByteArray &bytes, qint64 msecsSinceEpoch);
    void chunkFramed();
    void sent(const QByteArray &bytes, qint64 msecsSinceEpoch);
    void writeFailed(const QString &reason);
    // model, firmware, serial number or IMEI changed (also to unknown when the line closes)
    void identityChanged();
    // An identity record (DI), a serial number (DN) or an IMEI (MN) came.
    void identityReported(const IdentityRecord &record);
    void serialNumberReported(const QString &serialNumber);
    void imeiReported(const QString &imei);

private:
    void closePort(const QString &reason);
    void waitForTerminal();
    void portReturned(const QString &portName);
    void handleRestart(const RecordLine &record);
    void resetIdentity();

    QSerialPort *port = nullptr;
    QPointer<QIODevice> device;   // the port, or an attached device
    LineSettings line;
    PortEntry current;
    PortWatcher *watcher = nullptr;
    PortSource ports;
    LineFramer framer;
    RecordRouter records;
    TerminalInfo info;
    int connections = 0;
    bool autoReconnect = true;
    bool hungUp = false;   // the current line's loss is handled once
    Clock clock;
};
