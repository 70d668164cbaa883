#include "mainwindow/mainwindow.h"

void MainWindow::set_settings() {}

void MainWindow::get_settings()
{
    SendCmd(QStringLiteral(">D 15;0"));
}

void MainWindow::activate_can_set_slot(int) {}

void MainWindow::set_in2cb_changed(QString) {}

void MainWindow::handletabChanged(int index)
{
    if (index == 0) {
        writeRaw(">I 0\r\n>I 1\r\n");
        writeRaw(">I 3\r\n>I 7\r\n");
    } else if (index == 1) {
        get_settings();
    }
}
