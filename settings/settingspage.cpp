#include "mainwindow/mainwindow.h"

#include <QComboBox>
#include <QVBoxLayout>
#include <QWidget>

QWidget *MainWindow::buildSettingsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("settingsPage"));
    auto *layout = new QVBoxLayout(page);
    rs485Combo = new QComboBox;
    rs485Combo->setObjectName(QStringLiteral("rs485Combo"));
    layout->addWidget(rs485Combo);
    return page;
}
