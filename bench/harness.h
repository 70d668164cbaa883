// What the read path benchmarks share: a real main window, shown offscreen with its log
// dock open, reading from a serial port, with a count of the bytes its readData() takes.
#pragma once

#include "link/terminalsession.h"
#include "mainwindow/mainwindow.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QDockWidget>
#include <QFile>
#include <QSerialPort>

#include <cstdio>
#include <functional>

namespace bench {

// Counts the bytes each readData() call is about to take: a slot connected to readyRead()
// ahead of readData() reads the port's buffer size, which readData() then empties with
// readAll(). Nothing in the window changes; the port's own connection is only re-made
// after ours.
class ReadCounter
{
public:
    explicit ReadCounter(MainWindow &window) : w(window)
    {
        QSerialPort *port = w.serialPort();
        TerminalSession *session = w.terminalSession();
        QObject::disconnect(port, &QSerialPort::readyRead, session, &TerminalSession::readAvailable);
        QObject::connect(
            port, &QSerialPort::readyRead, &w,
            [this, port] {
                const qint64 n = port->bytesAvailable();
                bytes += quint64(n);
                if (n > 0)
                    ++reads;
                if (onRead)
                    onRead(port, n);
            },
            Qt::QueuedConnection);
        QObject::connect(port, &QSerialPort::readyRead, session, &TerminalSession::readAvailable,
                         Qt::QueuedConnection);
    }

    MainWindow &w;
    quint64 bytes = 0;
    quint64 reads = 0;
    // called before readData() with the port and the byte count it is about to read
    std::function<void(QSerialPort *, qint64)> onRead;
};

// The window as an engineer watching a busy terminal has it: maximized, the log dock open,
// auto-scroll on (the terminal panel's default).
inline void showLikeTheProgram(MainWindow &w)
{
    w.showMaximized();
    if (auto *dock = w.findChild<QDockWidget *>(QStringLiteral("logDock")))
        dock->show();
    QCoreApplication::processEvents();
}

// A field of /proc/self/status (VmRSS, VmHWM) in MB.
inline double procStatusMB(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// Resets VmHWM to the present RSS (Linux 4.0 and later); false when the kernel refuses.
inline bool resetPeakRss()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

// wchar of a process: bytes it has written through write() and friends.
inline qint64 bytesWrittenBy(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/io").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

} // namespace bench
