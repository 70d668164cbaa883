#include "mainwindow/mainwindow.h"

#include "terminal/terminal.h"

#include <QHBoxLayout>
#include <QWidget>

QWidget *MainWindow::buildStatusPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("statusPage"));
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(buildSensorPanel());
    return page;
}

QWidget *MainWindow::buildSensorPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("sensorPanel"));
    return panel;
}

void MainWindow::clearAll()
{
    terminal->clearConsole();
    writeRaw(">I 0\r\n>I 1\r\n");
    writeRaw(">I 3\r\n>I 7\r\n");
}
