#include "mainwindow/mainwindow.h"

void MainWindow::decodeGK(const RecordLine &) {}
void MainWindow::decodeGS(const RecordLine &) {}
void MainWindow::decodeMS(const RecordLine &) {}
void MainWindow::decodeML(const RecordLine &) {}
void MainWindow::decodeAPN(const RecordLine &) {}
void MainWindow::decodeMO(const RecordLine &) {}
void MainWindow::decodeMD(const RecordLine &) {}
void MainWindow::decodeSMS(const RecordLine &) {}
void MainWindow::decodeRD(const RecordLine &) {}
