// The window's settings slots: sending what the settings page writes or asks for, and the
// requests sent when the user clicks a tab.

#include "mainwindow/mainwindow.h"
#include "status/fieldtext.h"
#include "settings/core_settingsstring.h"
#include "settings/settingspage.h"
#include "status/statuspage.h"

#include <QLineEdit>
#include <QMessageBox>

void MainWindow::set_settings()
{
    const QString settings = settingsPage->prepareSettingsString();
    if (settings.isNull())
        return;
    SendCmd(settings);
    // the answer confirms the write, or shows that it did not arrive intact
    get_settings();
}

void MainWindow::get_settings()
{
    SendCmd(QStringLiteral(">D 15;0"));
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
    if (index == 0) {
        writeRaw(">I 0\r\n>I 1\r\n");
        writeRaw(">I 3\r\n>I 7\r\n");
    } else if (index == 1) {
        FieldBatch::flush();   // the version of a record just received counts
        const QString version = statusPage->firmwareVersionText();
        if (firmwareVersionNeedsWarning(version)) {
            QMessageBox::warning(this, tr("Внимание"),
                                 tr("Для корректного отображения и задания настроек необходимо "
                                    "обновить версию ПО до 0.25 и выше"),
                                 QMessageBox::Ok);
        }
        settingsPage->refresh();
    }
}
