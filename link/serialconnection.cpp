#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "link/portwatcher.h"
#include "charts/chartspanel.h"
#include "portdialog/settingsdialog.h"
#include "report/installationreport.h"
#include "settings/settingspage.h"
#include "status/fieldtext.h"
#include "terminal/terminal.h"

#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QDateTime>
#include <QLoggingCategory>
#include <QTime>

// The per-record and per-command traces: one line per record slows a busy line down
// noticeably, so they are off unless QT_LOGGING_RULES="kvt.link.debug=true" turns them on.
Q_LOGGING_CATEGORY(lcLink, "kvt.link", QtInfoMsg)

namespace {
// The local time of day to the second, for the status text of each chunk. Asking for the
// local time makes the C library look at the time zone again (on Linux a stat() of
// /etc/localtime) and chunks come thousands of times a second, so the local time is worked
// out once for each second of the clock.
QTime localTimeToTheSecond()
{
    static qint64 lastSecond = -1;
    static QTime lastTime;
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != lastSecond) {
        lastSecond = second;
        lastTime = QDateTime::fromMSecsSinceEpoch(second * 1000).time();
    }
    return lastTime;
}
} // namespace

void MainWindow::openSerialPort()
{
    openPort(false);
}

bool MainWindow::openPort(bool reconnecting)
{
    const PortSettings p = settingsDialog->currentSettings();
    serial->setPortName(p.portName);
    serial->setBaudRate(p.baudRate);
    serial->setDataBits(p.dataBits);
    serial->setParity(p.parity);
    serial->setStopBits(p.stopBits);
    serial->setFlowControl(p.flowControl);

    if (serial->open(QIODevice::ReadWrite)) {
        lineHungUp = false;
        portWatcher->stop();
        ++connectionCount;
        connectedPort = PortEntry();
        connectedPort.portName = p.portName;
        for (const PortEntry &e : currentPorts())
            if (e.portName == p.portName)
                connectedPort = e;
        // a line cut off by the last close must not prefix the first record of this connection
        framer.reset();
        terminal->markLinkBack(p.portName);
        charts->clear();   // the charts show one connection
        report->startConnection();   // and so do the report's checks
        reportAction->setEnabled(true);
        terminal->setConsoleEnabled(true);
        setConnectedActions(true);
        ui->centralWidget->setEnabled(true);
        ui->statusBar->showMessage(tr("Connected to %1 : %2, %3, %4, %5, %6")
                                       .arg(p.portName, p.baudRateText, p.dataBitsText,
                                            p.parityText, p.stopBitsText,
                                            p.flowControlText));
        if (deviceModelCode == 0) {
            update_dev_info();
            // then what a click on the first tab asks for, so every group fills without one
            writeRaw(">I 3\r\n>I 7\r\n");
        }
        tabWidget->setTabEnabled(1, true);
        settingsPage->terminalConnected();
        emit connected();
        return true;
    }
    if (!reconnecting) {
        QMessageBox::critical(this, tr("Ошибка"),
                              tr("Проверьте COM порт на вашем ПК") + QStringLiteral("\n\n")
                                  + tr("Порт %1 не открыт: %2")
                                        .arg(p.portName, serial->errorString()));
        ui->statusBar->showMessage(tr("Open error [%1]").arg(serial->errorString()));
    }
    return false;
}

void MainWindow::closeSerialPort()
{
    // the restart record may have closed the port already while a box was open
    if (serial->isOpen()) {
        terminal->markLinkGap(lineHungUp ? serial->errorString() : QString());
        serial->close();
    }
    setConnectedActions(false);
    ui->statusBar->showMessage(tr("Disconnected"));
    deviceModelCode = 0;
    tabWidget->setTabEnabled(1, false);
}

void MainWindow::disconnectByUser()
{
    const bool wasWaiting = portWatcher->isWatching();
    portWatcher->stop();
    if (wasWaiting && !serial->isOpen()) {
        ui->actionDisconnect->setEnabled(false);
        ui->statusBar->showMessage(tr("Disconnected"));
        return;
    }
    closeSerialPort();
}

void MainWindow::waitForTerminal()
{
    if (connectedPort.portName.isEmpty() || !settingsDialog->currentSettings().autoReconnect)
        return;
    if (QWidget *page = findChild<QWidget *>(QStringLiteral("statusPage")))
        markStale(page);
    portWatcher->watch(connectedPort);
    ui->actionDisconnect->setEnabled(true);   // stops the waiting
    ui->statusBar->showMessage(tr("Ожидание терминала…"));
}

void MainWindow::handleError(QSerialPort::SerialPortError error)
{
    // The device was removed (ResourceError), or the line was hung up: on Linux an
    // unplugged USB terminal or a closed pseudo-terminal makes every read end at once
    // with no data and the library reports a read error again and again. Both end the
    // connection, once.
    const bool lineLost = error == QSerialPort::ResourceError
                          || (error == QSerialPort::ReadError && serial->isOpen());
    if (error == QSerialPort::WriteError && !lineLost && !lineHungUp) {
        ui->statusBar->showMessage(tr("Write error [%1]").arg(serial->errorString()));
        return;
    }
    if (!lineLost || lineHungUp)
        return;
    lineHungUp = true;
    ui->statusBar->showMessage(tr("Critical Error [%1]").arg(serial->errorString()));
    closeSerialPort();
    waitForTerminal();
}

void MainWindow::Delay_sec(int sec)
{
    const QTime deadline = QTime::currentTime().addSecs(sec);
    while (QTime::currentTime() < deadline) {
    }
}

qint64 MainWindow::writeData(QByteArray data)
{
    return writeToPort(data);
}

qint64 MainWindow::writeToPort(const QByteArray &bytes)
{
    // nothing goes out on a closed port (clearing the pages after a disconnect asks again)
    if (!serial->isOpen())
        return -1;
    const qint64 written = serial->write(bytes);
    if (written < 0)
        ui->statusBar->showMessage(tr("Write error [%1]").arg(serial->errorString()));
    else if (written > 0)
        terminal->showSent(bytes.left(int(written)));
    return written;
}

void MainWindow::update_dev_info()
{
    writeRaw(">I 0\r\n>I 1\r\n");
}

void MainWindow::SendCmd(QString cmd_str)
{
    const QByteArray bytes = (cmd_str + QStringLiteral("\r\n")).toUtf8();
    writeToPort(bytes);
    qCDebug(lcLink) << "SEND:" << bytes;
}

void MainWindow::readData()
{
    const QByteArray data = serial->readAll();
    if (data.isEmpty())
        return;

    const QTime now = localTimeToTheSecond();
    ui->statusBar->showMessage(tr("%1:%2:%3 | %4 B")
                                   .arg(now.hour())
                                   .arg(now.minute())
                                   .arg(now.second())
                                   .arg(data.size()));

    terminal->showReceived(data);

    // the page fields take the last value of each field in this chunk when it is done
    const FieldBatch batch;
    framer.feed(data, [this](const RecordLine &line) {
        dispatchRecord(line.name, line.field[0], line.field[1], line.field[2], line.field[3],
                       line.field[4]);
        qCDebug(lcLink) << "RECORD" << line.field[0];
    });
}
