// The window's side of the terminal session: what the user sees of the line opening, going
// and coming back, the slots the rest of the program sends through, and the chunk and status
// texts of the read path.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "charts/chartspanel.h"
#include "link/commands.h"
#include "link/terminalsession.h"
#include "station/provisionstation.h"
#include "station/stationpanel.h"
#include "portdialog/settingsdialog.h"
#include "report/installationreport.h"
#include "settings/settingspage.h"
#include "status/fieldtext.h"
#include "status/statuspage.h"
#include "terminal/terminal.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>

// The per-command traces: off unless QT_LOGGING_RULES="kvt.link.debug=true" turns them on.
Q_LOGGING_CATEGORY(lcLink, "kvt.link", QtInfoMsg)

void MainWindow::connectSession()
{
    connect(session, &TerminalSession::opened, this, &MainWindow::lineOpened);
    connect(session, &TerminalSession::closed, this, [this](const QString &reason) {
        terminal->markLinkGap(reason);
        showDisconnected();
    });
    connect(session, &TerminalSession::lost, this, [this](const QString &reason) {
        ui->statusBar->showMessage(tr("Critical Error [%1]").arg(reason));
    });
    connect(session, &TerminalSession::waiting, this, [this] {
        statusPage->fieldBatch().markStale(statusPage);
        ui->actionDisconnect->setEnabled(true);   // stops the waiting
        ui->statusBar->showMessage(tr("Ожидание терминала…"));
    });
    connect(session, &TerminalSession::writeFailed, this, [this](const QString &reason) {
        ui->statusBar->showMessage(tr("Write error [%1]").arg(reason));
    });
    connect(session, &TerminalSession::sent, this,
            [this](const QByteArray &bytes, qint64) { terminal->showSent(bytes); });
    connect(session, &TerminalSession::received, this, &MainWindow::chunkReceived);
    connect(session, &TerminalSession::chunkFramed, this,
            [this] { statusPage->fieldBatch().end(); });
    connect(session, &TerminalSession::restarted, this, &MainWindow::terminalRestarted);
    connect(session, &TerminalSession::identityReported, statusPage, &StatusPage::showIdentity);
    connect(session, &TerminalSession::serialNumberReported, statusPage,
            &StatusPage::showSerialNumber);
    connect(session, &TerminalSession::serialNumberReported, report,
            &InstallationReport::terminalIdentified);
    connect(session, &TerminalSession::imeiReported, statusPage, &StatusPage::showImei);
    session->setAutoReconnect(settingsDialog->autoReconnect());
    connect(settingsDialog, &SettingsDialog::autoReconnectChanged, session,
            &TerminalSession::setAutoReconnect);
}

void MainWindow::setPortSource(const PortSource &source)
{
    settingsDialog->setPortSource(source);
    session->setPortSource(source);
    stationPanel->station()->setPortSource(source);
}

void MainWindow::openSerialPort()
{
    const PortSettings p = settingsDialog->currentSettings();
    if (session->open(p.line()))
        return;
    QMessageBox::critical(this, tr("Ошибка"),
                          tr("Проверьте COM порт на вашем ПК") + QStringLiteral("\n\n")
                              + tr("Порт %1 не открыт: %2").arg(p.portName, session->errorString()));
    ui->statusBar->showMessage(tr("Open error [%1]").arg(session->errorString()));
}

void MainWindow::lineOpened(const QString &portName)
{
    const PortSettings p = settingsDialog->currentSettings();
    terminal->markLinkBack(portName);
    charts->clear();   // the charts show one connection
    report->startConnection();   // and so do the report's checks
    reportAction->setEnabled(true);
    terminal->setConsoleEnabled(true);
    // no port: a recording plays, and a terminal can be connected instead
    const bool replay = portName.isEmpty();
    setConnectedActions(!replay);
    ui->centralWidget->setEnabled(true);
    if (replay)
        ui->statusBar->showMessage(tr("Воспроизведение записи"));
    else
        ui->statusBar->showMessage(tr("Connected to %1 : %2, %3, %4, %5, %6")
                                       .arg(portName, p.baudRateText, p.dataBitsText, p.parityText,
                                            p.stopBitsText, p.flowControlText));
    if (session->identity().model == 0) {
        update_dev_info();
        // then what a click on the first tab asks for, so every group fills without one
        session->send(Command::status);
    }
    tabWidget->setTabEnabled(tabWidget->indexOf(settingsPage), true);
    settingsPage->terminalConnected();
    // the terminal is back: a restart notice still open is no longer true
    if (openRestartNotice)
        openRestartNotice->done(QMessageBox::Ok);
    emit connected();
}

void MainWindow::closeSerialPort()
{
    if (!session->isOpen())
        showDisconnected();
    session->close();
}

void MainWindow::showDisconnected()
{
    setConnectedActions(false);
    ui->statusBar->showMessage(tr("Disconnected"));
    tabWidget->setTabEnabled(tabWidget->indexOf(settingsPage), false);
}

void MainWindow::disconnectByUser()
{
    const bool wasWaiting = session->isWaiting() && !session->isOpen();
    session->close();
    if (wasWaiting) {
        ui->actionDisconnect->setEnabled(false);
        ui->statusBar->showMessage(tr("Disconnected"));
    }
}

void MainWindow::handleError(QSerialPort::SerialPortError error)
{
    session->handlePortError(error);
}

void MainWindow::Delay_sec(int sec)
{
    const QTime deadline = QTime::currentTime().addSecs(sec);
    while (QTime::currentTime() < deadline) {
    }
}

qint64 MainWindow::writeData(QByteArray data)
{
    return session->send(data);
}

void MainWindow::update_dev_info()
{
    session->send(Command::identity);
}

void MainWindow::SendCmd(QString cmd_str)
{
    session->sendLine(cmd_str);
    qCDebug(lcLink) << "SEND:" << cmd_str;
}

void MainWindow::readData()
{
    session->readAvailable();
}

void MainWindow::chunkReceived(const QByteArray &data, qint64 msecsSinceEpoch)
{
    // the same text again costs a comparison
    ui->statusBar->showMessage(
        chunkStatus.text(msecsSinceEpoch, data.size(), tr("%1:%2:%3 | %4 B")));
    terminal->showReceived(data);
    // the page fields take the last value of each field in this chunk when it is done
    statusPage->fieldBatch().begin();
}

void MainWindow::dispatchRecord(const QByteArray &name, const QByteArray &field1,
                                const QByteArray &field2, const QByteArray &field3,
                                const QByteArray &field4, const QByteArray &field5)
{
    session->router().dispatch(RecordLine{name, {field1, field2, field3, field4, field5}});
}

void MainWindow::routeRecords()
{
    settingsPage->registerRoutes(session->router());
    statusPage->registerRoutes(session->router());
}
