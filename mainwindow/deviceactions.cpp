#include "mainwindow/mainwindow.h"

#include <QDebug>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {
// The maker's web site, opened by the "Сайт" action.
const char makerSiteUrl[] = "https://kvt-terminal.example.com/";
}

void MainWindow::writeRaw(const char *command)
{
    writeData(command);
}

void MainWindow::restart_device()
{
    writeRaw(">D 1\r\n");
    QMessageBox box(QMessageBox::Information, restartTitle, restartDoneText + portClosedText,
                    QMessageBox::Ok);
    box.exec();
    closeSerialPort();
}

void MainWindow::send_packet()
{
    writeRaw(">D 4;1\r\n");
}

void MainWindow::clear_ext_mem()
{
    writeRaw(">D 8;0\r\n>I 1\r\n");
}

void MainWindow::update_FW_local()
{
    const int answer = QMessageBox::question(
        this, tr("Обновление ПО через USB "),
        tr("Для обновления ПО через USB вам потребуется файл прошивки\r\n"
           "Если у вас нет данного файла - нажмите Cancel"),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Yes: {
        qDebug() << "yes";
        writeRaw(">D 3;0\r\n");
        QMessageBox box(QMessageBox::Information, restartTitle, restartDoneText + usbUpdateText,
                        QMessageBox::Ok);
        box.exec();
        closeSerialPort();
        break;
    }
    case QMessageBox::Cancel:
        qDebug() << "cancel";
        break;
    default:
        qDebug() << "close";
        break;
    }
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
