#include "mainwindow/mainwindow.h"

void MainWindow::decodeST(const RecordLine &) {}
