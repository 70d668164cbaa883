#include "mainwindow/mainwindow.h"

void MainWindow::decodeCanProgram(const RecordLine &) {}
void MainWindow::decodeCanEngineHours(const RecordLine &) {}
void MainWindow::decodeCanMileage(const RecordLine &) {}
void MainWindow::decodeCanFuelUsed(const RecordLine &) {}
void MainWindow::decodeCG(const RecordLine &) {}
void MainWindow::decodeCR(const RecordLine &) {}
void MainWindow::decodeCH(const RecordLine &) {}
void MainWindow::decodeCI(const RecordLine &) {}
void MainWindow::decodeCJ(const RecordLine &) {}
void MainWindow::decodeCP(const RecordLine &) {}
void MainWindow::decodeCS(const RecordLine &) {}
void MainWindow::decodeCU(const RecordLine &) {}
void MainWindow::decodeCV(const RecordLine &) {}
void MainWindow::decodeLLS(const RecordLine &) {}
void MainWindow::decodeOWT(const RecordLine &) {}
void MainWindow::decodeOWK(const RecordLine &) {}
void MainWindow::decodeOutput(const RecordLine &) {}
void MainWindow::decodeInput(const RecordLine &) {}
void MainWindow::decodeCanAxle(int, const RecordLine &) {}
