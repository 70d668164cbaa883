// The window's settings slots: the settings page's write and read, and the requests sent when
// the user clicks a tab.

#include "mainwindow/mainwindow.h"
#include "link/commands.h"
#include "link/terminalsession.h"
#include "settings/settingspage.h"
#include "status/statuspage.h"

#include <QLineEdit>
#include <QMessageBox>

void MainWindow::set_settings()
{
    // the settings string, then the request whose answer confirms it (or shows that it did
    // not arrive intact)
    settingsPage->writeSettings();
}

void MainWindow::get_settings()
{
    writeRaw(Command::readSettings);
}

void MainWindow::activate_can_set_slot(int index)
{
    settingsPage->setCanControlsFor(index);
}

void MainWindow::set_in2cb_changed(QString text)
{
    settingsPage->relabelIn2(text);
}

void MainWindow::handletabChanged(int index)
{
    // the user may have moved the tabs: the page counts, not its place
    QWidget *page = tabWidget->widget(index);
    if (page == statusPage) {
        writeRaw(Command::identity);
        writeRaw(Command::status);
    } else if (page == settingsPage) {
        // the settings page shows them right from firmware 0.25 on
        if (session->identity().firmware.isOlderThan(0, 25)) {
            QMessageBox::warning(this, tr("Внимание"),
                                 tr("Для корректного отображения и задания настроек необходимо "
                                    "обновить версию ПО до 0.25 и выше"),
                                 QMessageBox::Ok);
        }
        settingsPage->refresh();
    }
}
