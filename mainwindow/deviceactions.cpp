#include "mainwindow/mainwindow.h"
#include "firmware/firmwareupdatedialog.h"

#include "link/commands.h"
#include "link/terminalsession.h"

#include "register/registercontroller.h"
#include "status/fieldtext.h"
#include "status/statuspage.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QSettings>
#include <QFileInfo>
#include <QFileDialog>
#include <QUrl>

namespace {
// The maker's web site, opened by the "Сайт" action.
const char makerSiteUrl[] = "https://kvt-terminal.example.com/";
}

void MainWindow::writeRaw(const char *command)
{
    session->send(QByteArray(command));
}

void MainWindow::restart_device()
{
    writeRaw(Command::restart);
    showRestartNotice(restartDoneText + portClosedText, true);
}

void MainWindow::terminalRestarted(bool reported)
{
    // one notice a restart: the restart button's notice may be open already
    if (reported && !openRestartNotice)
        showRestartNotice(restartDoneText + portClosedText, false);
}

void MainWindow::showRestartNotice(const QString &text, bool thenLetGo)
{
    const int connection = session->connectionCount();
    QMessageBox box(QMessageBox::Information, restartTitle, text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("restartNotice"));
    openRestartNotice = &box;
    statusPage->fieldBatch().flush();   // the fields show their values before the box opens
    box.exec();
    openRestartNotice = nullptr;
    // The restart record may have closed the line meanwhile, or the terminal may even be
    // back on a new connection that must stay open. A terminal that restarts without a word
    // (into its loader) is let go here.
    if (thenLetGo && connection == session->connectionCount())
        session->closeAndWait();
}

void MainWindow::send_packet()
{
    writeRaw(Command::sendPacket);
}

void MainWindow::clear_ext_mem()
{
    // the track points the terminal has not sent yet are gone for good: ask first
    const int answer = QMessageBox::question(
        this, tr("Очистка памяти"),
        tr("Очистить память пакетов терминала?\r\nНеотправленные на сервер точки трека будут "
           "потеряны."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        writeRaw(Command::clearPacketMemory);
}

void MainWindow::update_FW_local()
{
    const int answer = QMessageBox::question(
        this, tr("Обновление ПО через USB "),
        tr("Для обновления ПО через USB вам потребуется файл прошивки\r\n"
           "Если у вас нет данного файла - нажмите «Отмена»"),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        showNotice(tr("Обновление ПО через USB отменено"));
        return;
    }
    // with the file the program guides the rest; without one the engineer copies it by hand
    const QString file = askFirmwareFile();
    if (file.isEmpty()) {
        writeRaw(Command::firmwareOverUsb);
        showRestartNotice(restartDoneText + usbUpdateText, true);
        return;
    }
    auto *dialog = new FirmwareUpdateDialog(session, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!dialog->start(file)) {
        delete dialog;
        return;
    }
    registerController->watchFirmwareUpdate(dialog->update(), session);
    dialog->open();
}

QString MainWindow::askFirmwareFile()
{
    static constexpr char folderKey[] = "firmware/lastFolder";
    QSettings settings;
    const QString file = firmwareFileName(settings.value(QLatin1String(folderKey)).toString());
    if (!file.isEmpty())
        settings.setValue(QLatin1String(folderKey), QFileInfo(file).absolutePath());
    return file;
}

QString MainWindow::firmwareFileName(const QString &folder)
{
    return QFileDialog::getOpenFileName(this, tr("Файл прошивки"), folder,
                                        tr("Файлы прошивки (*.bin *.hex);;Все файлы (*)"));
}

void MainWindow::update_FW_WEB()
{
    writeRaw(Command::firmwareOverGprs);
}

void MainWindow::update_settings_WEB()
{
    writeRaw(Command::settingsOverGprs);
}

void MainWindow::on_actionTaho_triggered()
{
    writeRaw(Command::tachographDownload);
}

void MainWindow::on_actionGoToSite_triggered(bool)
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(makerSiteUrl)));
}
