#include "mainwindow/mainwindow.h"

void MainWindow::decodeDI(const RecordLine &) {}
void MainWindow::decodeDN(const RecordLine &) {}
void MainWindow::decodeDF(const RecordLine &) {}
void MainWindow::decodeMN(const RecordLine &) {}
void MainWindow::decodeTW(const RecordLine &) {}
void MainWindow::decodeRW(const RecordLine &) {}
void MainWindow::decodeDS(const RecordLine &) {}
void MainWindow::decodePB(const RecordLine &) {}
