#include "mainwindow/mainwindow.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {
// The maker's web site, opened by the "Сайт" action.
const char makerSiteUrl[] = "https://kvt-terminal.example.com/";
}

void MainWindow::writeRaw(const char *command)
{
    writeToPort(QByteArray(command));
}

void MainWindow::restart_device()
{
    writeRaw(">D 1\r\n");
    tellRestartThenLetGo(restartDoneText + portClosedText);
}

void MainWindow::tellRestartThenLetGo(const QString &text)
{
    const int connection = connectionCount;
    QMessageBox box(QMessageBox::Information, restartTitle, text, QMessageBox::Ok, this);
    box.exec();
    // the restart record may have closed the line meanwhile, or the terminal may even be
    // back on a new connection that must stay open
    if (connection == connectionCount && serial->isOpen()) {
        closeSerialPort();
        waitForTerminal();
    }
}

void MainWindow::send_packet()
{
    writeRaw(">D 4;1\r\n");
}

void MainWindow::clear_ext_mem()
{
    // the track points the terminal has not sent yet are gone for good: ask first
    const int answer = QMessageBox::question(
        this, tr("Очистка памяти"),
        tr("Очистить память пакетов терминала?\r\nНеотправленные на сервер точки трека будут "
           "потеряны."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        writeRaw(">D 8;0\r\n>I 1\r\n");
}

void MainWindow::update_FW_local()
{
    const int answer = QMessageBox::question(
        this, tr("Обновление ПО через USB "),
        tr("Для обновления ПО через USB вам потребуется файл прошивки\r\n"
           "Если у вас нет данного файла - нажмите «Отмена»"),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Yes)
        return;
    writeRaw(">D 3;0\r\n");
    tellRestartThenLetGo(restartDoneText + usbUpdateText);
}

void MainWindow::update_FW_WEB()
{
    writeRaw(">D 2;0\r\n");
}

void MainWindow::update_settings_WEB()
{
    writeRaw(">D 0;0\r\n");
}

void MainWindow::on_actionTaho_triggered()
{
    writeRaw(">D 9\r\n");
}

void MainWindow::on_actionGoToSite_triggered(bool)
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(makerSiteUrl)));
}
