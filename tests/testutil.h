#pragma once
// Shared helpers of the GUI and end-to-end tests: a pseudo-terminal standing in for the
// terminal's COM port, connecting a window to it, and closing modal message boxes.

#include "mainwindow/mainwindow.h"
#include "link/terminalsession.h"
#include "link/portlist.h"
#include "portdialog/settingsdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

// What the program remembers between runs goes to Qt's test folders (~/.qttest), never to the
// user's own settings; set before anything reads them.
inline const bool settingsInTestFolders = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

// The master side of a pseudo-terminal; the program opens the slave side as its COM port.
class Pty
{
public:
    Pty() { open(); }
    ~Pty() { close(); }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool open()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return false;
        slavePath = QString::fromLocal8Bit(::ptsname(master));
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        // raw on the line so that nothing is echoed or translated before the program opens it
        int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        if (slave >= 0) {
            termios t{};
            ::tcgetattr(slave, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(slave, TCSANOW, &t);
            ::close(slave);
        }
        return true;
    }
    void close()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    bool isOpen() const { return master >= 0; }

    // Everything the program wrote, waiting until at least `atLeast` bytes came or the time ran out.
    // The event loop keeps running meanwhile.
    QByteArray read(int atLeast = 1, int timeoutMs = 3000)
    {
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (true) {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, int(n));
                continue;
            }
            if (got.size() >= atLeast || t.elapsed() > timeoutMs)
                break;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QTest::qSleep(2);
        }
        return got;
    }
    // Whatever is waiting now, without waiting.
    QByteArray drain() { return read(0, 0); }

    void write(const QByteArray &data)
    {
        qint64 done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(master, data.constData() + done, size_t(data.size() - done));
            if (n > 0)
                done += n;
            else
                QTest::qWait(1);
        }
    }

    int master = -1;
    QString slavePath;
};

#ifndef KVT_MODEL_CODE_HELPER
#define KVT_MODEL_CODE_HELPER
// The model code of the terminal the window's session knows; 0 while unknown.
inline unsigned int modelCode(const MainWindow &w)
{
    return w.terminalSession()->identity().model;
}
#endif

// A port list of exactly these ports.
inline PortSource listing(const QList<PortEntry> &ports)
{
    return [ports] { return ports; };
}

// The window's port dialog and reconnection see exactly these ports.
inline void usePorts(MainWindow &w, const QList<PortEntry> &ports)
{
    w.setPortSource(listing(ports));
}

inline PortEntry terminalPort(const QString &path)
{
    PortEntry e;
    e.portName = path;
    e.systemLocation = path;
    e.description = QStringLiteral("test terminal");
    e.manufacturer = QStringLiteral("KVT");
    e.vendorIdentifier = TerminalVendorId;
    e.productIdentifier = TerminalProductId;
    return e;
}

// Opens the session on the pseudo-terminal's far end with the default line settings.
inline bool openOn(TerminalSession &session, const Pty &pty)
{
    LineSettings line;
    line.portName = pty.slavePath;
    return session.open(line);
}

// Picks the port in the window's port dialog and presses "Выбрать", as a user does.
inline void connectTo(MainWindow &w, const QString &path)
{
    usePorts(w, {terminalPort(path)});
    SettingsDialog *d = w.portSettingsDialog();
    d->findChild<QPushButton *>(QStringLiteral("refreshButton"))->click();
    d->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
}

// Closes every modal box that shows up while it lives, pressing `button` when the box has it
// (otherwise rejecting the box), and records the title and text of each.
// A full disk for the files this process writes while it lives: no file grows past `bytes`,
// a write beyond fails with "File too large" (its signal ignored).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        signalBefore = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, signalBefore);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved{};
    void (*signalBefore)(int) = SIG_DFL;
};

class ModalCloser : public QObject
{
public:
    explicit ModalCloser(QMessageBox::StandardButton button = QMessageBox::Ok)
        : answer(button)
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] { closeActive(); });
        timer.start();
    }
    void closeActive()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            titles << box->windowTitle();
            texts << box->text();
            if (auto *named = box->findChild<QAbstractButton *>(buttonName);
                named && !buttonName.isEmpty()) {
                named->click();
                return;
            }
            if (QAbstractButton *b = box->button(answer)) {
                b->click();
                return;
            }
        }
        if (auto *dlg = qobject_cast<QDialog *>(w))
            dlg->reject();
        else
            w->close();
    }
    QStringList titles;
    QStringList texts;
    QMessageBox::StandardButton answer;
    QString buttonName;   // a button of the box's own pressed instead, when it has one
    QTimer timer;
};

#include "simutil.h"
